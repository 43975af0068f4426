#pragma once

#include "catalogueoperations.h"
#include "diskfile.h"
#include "setoffurnitures.h"
#include "typedvalue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>


// A variant's price and stock before and after an import.
struct ImportedChange
{
    VariantPlace place;
    std::uint64_t serial = 0;
    std::string id;
    double oldPrice = 0;
    double newPrice = 0;
    unsigned int oldStock = 0;
    unsigned int newStock = 0;
};

// A row of an import file that changes nothing, and why.
struct UnreadRow
{
    enum Reason {
        BrokenQuote,     // a quote that does not open or close a field
        NoIdentifier,    // the identifier cell is missing or empty
        RefusedPrice,    // a price that the file could not hold, or that is no price
        RefusedStock,    // the same of a stock
        UnknownIdentifier, // no variant has the identifier, which is the value
    };
    qint64 line = 0;
    Reason reason = BrokenQuote;
    // The refused value, and why it is refused.
    std::string value;
    TypedValue::Outcome why = TypedValue::Read;
    // The decimals of a price refused for having too many.
    int decimals = 0;
};

// An identifier of the file that several variants of the catalogue have: it changes them all.
struct SharedIdentifier
{
    std::string id;
    std::size_t variants = 0;
};

// What a column of an import file holds.
enum class ImportColumn { Identifier, Price, Stock, Ignore };
using ImportMapping = std::vector<ImportColumn>;

// What importing a file would change, for the user to see before anything changes. Every
// change is kept, and every row that changes nothing as long as the rows take less than a
// sixteenth of the memory bound (some hundred thousands): past that they are counted. Of
// the shared identifiers the first `listed` are kept. The texts kept are cut to
// `keptTextSize` bytes, ending in "…", so that the preview takes no more memory whatever
// the file.
struct ImportPreview
{
    enum Outcome {
        Read,
        FileFailed,           // `file` tells why: not found, too large, empty...
        Binary,               // a NUL byte: not text
        NotUtf8,              // text in another encoding
        NoIdentifierColumn,
        NoPriceOrStockColumn,
        FieldTooLong,         // longer than any catalogue text, on `longFieldLine`
        TooMuchContent,       // importing would take more memory than the bound
    };
    static constexpr std::size_t listed = 100;
    // Columns past these take no role but the one their header names.
    static constexpr std::size_t mappedColumns = 100;
    static constexpr std::size_t keptTextSize = 200;

    Outcome outcome = Read;
    FileResult file;
    // The variants whose price or stock changes, in catalogue order.
    std::vector<ImportedChange> changes;
    std::size_t priceChanges = 0;
    std::size_t stockChanges = 0;
    // The header line's first `mappedColumns` names, what each column was read as, and
    // whether each of them is known and names what its column was read as; where one is
    // not, the user is asked.
    std::vector<std::string> headers;
    ImportMapping mapping;
    bool recognised = true;
    // The rows that change nothing, the first ones within the bound, in file order.
    std::vector<UnreadRow> unreadRows;
    std::size_t unreadCount = 0;
    std::vector<SharedIdentifier> sharedIdentifiers;
    std::size_t sharedCount = 0;
    // The rows after the header.
    std::size_t rows = 0;
    // Where a quote opens a field that the file never closes: its rest is that one field.
    qint64 unclosedQuoteLine = 0;
    qint64 longFieldLine = 0;

    bool read() const { return outcome == Read; }
    // The new values of `changes`, as the history's step of values takes them; where
    // `ticked` is given, only of the changes it ticks.
    std::vector<VariantValues> newValues(const std::vector<bool> &ticked = {}) const;
};

// The names a column's header may have besides the usual English and French ones (the
// export's, in every language), and those of columns known to hold nothing imported (the
// export's others); headers compare ignoring case and accents. Where `chosen` is not
// empty, it gives the columns' roles, the first `mappedColumns` of them.
struct ImportColumnNames
{
    QStringList identifier;
    QStringList price;
    QStringList stock;
    QStringList ignored;
    ImportMapping chosen;
};

// New prices and stocks from a CSV file, keyed by the catalogue's identifiers. Columns are
// found by their headers, or the user's choice: an identifier column, and a price column,
// a stock column or both; of columns of the same role the first counts. Separators are
// commas or semicolons, whichever the header line holds more of; values are read as typed
// ones are, with a decimal comma where semicolons separate. A value
// the file could not hold leaves its row unread, unless it is the value the variants hold
// already.
namespace PriceImport {

// Import files are read whole; larger ones are refused.
constexpr qint64 maxFileSize = qint64(256) << 20;

// An import takes no more memory than opening a catalogue may: what it would take past
// `memoryBound` is refused before it is taken, with TooMuchContent. A field longer than
// the longest text a catalogue opened within that bound holds (an eighth of it) is refused
// with FieldTooLong.
ImportPreview read(const QString &path, const SetOfFurnitures &catalogue, const ImportColumnNames &names,
                   qint64 memoryBound = SetOfFurnitures::maxOpeningMemory);
ImportPreview preview(QByteArrayView bytes, const SetOfFurnitures &catalogue, const ImportColumnNames &names,
                      qint64 memoryBound = SetOfFurnitures::maxOpeningMemory);

} // namespace PriceImport
