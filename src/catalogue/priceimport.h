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
    };
    qint64 line = 0;
    Reason reason = BrokenQuote;
    // The refused value, and why it is refused.
    std::string value;
    TypedValue::Outcome why = TypedValue::Read;
};

// An identifier of the file that several variants of the catalogue have: it changes them all.
struct SharedIdentifier
{
    std::string id;
    std::size_t variants = 0;
};

// What importing a file would change, for the user to see before anything changes. Of
// what the file may hold any number of, the first `listed` are kept and the rest counted;
// the texts kept are cut to `keptTextSize` bytes, ending in "…", so that the preview takes
// no more memory whatever the file.
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
    static constexpr std::size_t keptTextSize = 200;

    Outcome outcome = Read;
    FileResult file;
    // The variants whose price or stock changes, in catalogue order.
    std::vector<ImportedChange> changes;
    std::size_t priceChanges = 0;
    std::size_t stockChanges = 0;
    // Identifiers of the file that no variant has, each once; the rows that name them, and
    // those of the rows that name others than these.
    std::vector<std::string> unknownIdentifiers;
    std::size_t unknownRows = 0;
    std::size_t otherUnknownRows = 0;
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
    // The new values of `changes`, as the history's step of values takes them.
    std::vector<VariantValues> newValues() const;
};

// The names a column's header may have besides the catalogue file's keys; headers compare
// ignoring case and accents.
struct ImportColumnNames
{
    QStringList identifier;
    QStringList price;
    QStringList stock;
};

// New prices and stocks from a CSV file, keyed by the catalogue's identifiers. Columns are
// found by their headers: an identifier column, and a price column, a stock column or
// both. Separators are commas or semicolons, whichever the header line holds more of;
// values are read as typed ones are, with a decimal comma where semicolons separate. A value
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
