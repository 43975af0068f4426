#include "priceimport.h"

#include "cataloguesearch.h"
#include "csvreader.h"

#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace {

// The values one row of the file gives.
struct RowValues
{
    std::optional<double> price;
    std::optional<unsigned int> stock;
};

// The variants of the catalogue under one identifier, and the rows of the file that name
// it. Most identifiers name one variant and get one row: those allocate no list.
struct Entry
{
    const Form *first = nullptr;
    std::vector<const Form *> others;
    RowValues lastRow;
    std::vector<RowValues> earlierRows;
    std::size_t rows = 0;
    // The variants already given their values.
    std::size_t gathered = 0;

    std::size_t variants() const { return 1 + others.size(); }
    // Past as many rows as variants only the last counts: no more earlier rows are kept.
    void add(const RowValues &values)
    {
        if (rows++ > 0 && rows <= variants())
            earlierRows.push_back(lastRow);
        lastRow = values;
    }
    // One row gives its values to every variant; as many rows as variants give theirs to
    // one each, in order, as the export lists them; otherwise the last row counts.
    const RowValues &rowFor(std::size_t turn) const
    {
        return rows == variants() && turn + 1 < rows ? earlierRows[turn] : lastRow;
    }
    template<typename Value>
    bool holds(Value value, Value (Form::*valueOf)() const) const
    {
        return (first->*valueOf)() == value
                || std::any_of(others.begin(), others.end(), [&](const Form *form) { return (form->*valueOf)() == value; });
    }
};

struct Columns
{
    int identifier = -1;
    int price = -1;
    int stock = -1;
};

std::string_view trimmed(const std::string &text)
{
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t'))
        view.remove_suffix(1);
    return view;
}

QString decoded(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The start of `text` that the preview keeps: at most ImportPreview::keptTextSize bytes, cut
// before a character's start.
std::string_view keptPart(std::string_view text)
{
    if (text.size() <= ImportPreview::keptTextSize)
        return text;
    std::size_t end = ImportPreview::keptTextSize;
    while (end > 0 && (text[end] & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string kept(std::string_view text)
{
    const std::string_view part = keptPart(text);
    return part.size() == text.size() ? std::string(text) : std::string(part) + "\xE2\x80\xA6";
}

// What a copy of a text of `size` bytes takes besides the string itself: nothing for the 15
// bytes a string holds in place, else the text, its terminator and the allocator's header.
qint64 heapBytes(std::size_t size)
{
    return size <= 15 ? 0 : qint64(size) + 1 + 16;
}

// A value the variants hold already is taken even where it is past what may be typed, as
// when a file's price of 1.005 comes back from an export.
bool isHeldBeyondLimits(const TypedValue::Reading &reading)
{
    return reading.outcome == TypedValue::TooLarge || reading.outcome == TypedValue::TooManyDecimals;
}

// What suppliers' files call the columns, in English and French, folded.
const QStringList identifierNames { QStringLiteral("identifier"), QStringLiteral("identifiant"), QStringLiteral("id"),
                                    QStringLiteral("ref"), QStringLiteral("reference"), QStringLiteral("sku"),
                                    QStringLiteral("code") };
const QStringList priceNames { QStringLiteral("price"), QStringLiteral("prix"), QStringLiteral("prix ht"),
                               QStringLiteral("prix ttc"), QStringLiteral("tarif") };
const QStringList stockNames { QStringLiteral("stock"), QStringLiteral("quantity"), QStringLiteral("quantite"),
                               QStringLiteral("qte"), QStringLiteral("qty") };

// The role a header names, its names folded once for the whole header line; none where the
// header is not known.
class HeaderRoles
{
public:
    explicit HeaderRoles(const ImportColumnNames &names)
        : roles { { ImportColumn::Identifier, folded(identifierNames + names.identifier) },
                  { ImportColumn::Price, folded(priceNames + names.price) },
                  { ImportColumn::Stock, folded(stockNames + names.stock) },
                  { ImportColumn::Ignore, folded(names.ignored) } }
    {
    }
    std::optional<ImportColumn> of(const std::string &header) const
    {
        const QString name = CatalogueSearch::folded(QString::fromUtf8(header).trimmed());
        for (const auto &[role, names] : roles)
            if (names.contains(name))
                return role;
        return std::nullopt;
    }

private:
    static QStringList folded(const QStringList &names)
    {
        QStringList all;
        for (const QString &name : names)
            all << CatalogueSearch::folded(name);
        return all;
    }

    const std::pair<ImportColumn, QStringList> roles[4];
};

// No column's name is longer; folding a longer header would take several times its size.
constexpr std::size_t maxHeaderSize = 1024;
// Nor is any price or stock written longer, and reading one takes several times its size.
constexpr std::size_t maxValueSize = 1024;

// The columns of each role, the first of them where several have it; the preview gets the
// mapping, in which the others are ignored, and whether every header is known and names
// the role its column is read as.
Columns columnsOf(const std::vector<std::string> &header, const ImportColumnNames &names, ImportPreview &preview)
{
    Columns columns;
    const HeaderRoles roles(names);
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::optional<ImportColumn> named = header[i].size() > maxHeaderSize ? std::nullopt : roles.of(header[i]);
        const bool mapped = i < ImportPreview::mappedColumns;
        const ImportColumn role = mapped && i < names.chosen.size() ? names.chosen[i] : named.value_or(ImportColumn::Ignore);
        int *column = role == ImportColumn::Identifier ? &columns.identifier
                : role == ImportColumn::Price          ? &columns.price
                : role == ImportColumn::Stock          ? &columns.stock
                                                       : nullptr;
        const bool counts = column && *column < 0;
        if (counts)
            *column = int(i);
        if (!mapped)
            continue;
        preview.headers.push_back(kept(header[i]));
        preview.mapping.push_back(counts ? role : ImportColumn::Ignore);
        preview.recognised = preview.recognised && named == preview.mapping.back();
    }
    return columns;
}

std::string_view cellOf(const CsvReader::Record &record, int column)
{
    return column >= 0 && std::size_t(column) < record.fields.size() ? trimmed(record.fields[std::size_t(column)])
                                                                     : std::string_view();
}

// Decodes a piece at a time, each ending before a character's start, so that the check
// needs no copy of the whole text.
bool isUtf8(QByteArrayView text)
{
    constexpr qsizetype piece = 1 << 16;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    std::vector<QChar> decoded(piece + 1);
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = std::min(at + piece, text.size());
        for (int back = 0; back < 3 && end < text.size() && (text[end] & 0xC0) == 0x80; ++back)
            --end;
        utf8.appendToBuffer(decoded.data(), text.sliced(at, end - at));
        if (utf8.hasError())
            return false;
        at = end;
    }
    return true;
}

// A bit for each hash of a set of identifiers, 16 bits or more for each, so that most
// identifiers not in the set are told so without a look into it: the nodes of the
// catalogue's map lie too far apart for the processor's cache, and a file of millions of
// unknown identifiers spent most of its time in such looks.
class IdentifierFilter
{
public:
    explicit IdentifierFilter(std::size_t identifiers)
    {
        std::size_t size = 1 << 16;
        while (size < 16 * identifiers)
            size *= 2;
        bits.resize(size / 64);
        mask = size - 1;
    }
    void add(std::string_view id)
    {
        const std::size_t bit = std::hash<std::string_view>()(id) & mask;
        bits[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
    bool mayHold(std::string_view id) const
    {
        const std::size_t bit = std::hash<std::string_view>()(id) & mask;
        return bits[bit / 64] >> bit % 64 & 1;
    }

private:
    std::vector<std::uint64_t> bits;
    std::size_t mask = 0;
};

// What reading takes for each variant of the catalogue at most: its entry in a node of the
// map (with a link, the cached hash and the allocator's header) and a bucket, its bits in the
// filter (fewer than 32), an earlier row and a place among an identifier's others (with
// room for their lists to double), its change with its identifier kept, and the values that
// applying the change hands on.
qint64 variantsMemory(const SetOfFurnitures &catalogue)
{
    constexpr qint64 variant = sizeof(std::pair<const std::string_view, Entry>) + 4 * sizeof(void *) + 32 / 8
            + 3 * (sizeof(RowValues) + sizeof(const Form *)) + sizeof(ImportedChange) + sizeof(VariantValues);
    qint64 bytes = 0;
    for (const Furniture *element : catalogue.getFurnitures())
        for (const Form &form : element->getForms()) {
            const std::string_view id = keptPart(form.getId());
            bytes += variant + heapBytes(id.size() + (id.size() < form.getId().size() ? 3 : 0));
        }
    return bytes;
}

// Besides the file and the variants: the check of UTF-8, a header or a value being read
// (each within its size), and the headers and shared identifiers listed with their kept
// texts.
constexpr qint64 fixedMemory = qint64(1) << 20;
// The rows that change nothing are listed within a sixteenth of the bound.
qint64 unreadMemoryOf(qint64 memoryBound)
{
    return memoryBound / 16;
}
// A record's fields, and the room its list takes while it doubles.
constexpr qint64 fieldMemory = 3 * sizeof(std::string);

class Reading
{
public:
    Reading(const SetOfFurnitures &catalogue, ImportPreview &preview, QChar decimalMark, qint64 unreadMemory)
        : catalogue(catalogue), preview(preview), decimalMark(decimalMark), known(variantsOf(catalogue)),
          unreadMemory(unreadMemory)
    {
        entries.reserve(variantsOf(catalogue));
        for (const Furniture *element : catalogue.getFurnitures())
            for (const Form &form : element->getForms()) {
                known.add(form.getId());
                const auto [entry, added] = entries.try_emplace(form.getId());
                if (added)
                    entry->second.first = &form;
                else
                    entry->second.others.push_back(&form);
            }
    }

    void readRow(const CsvReader::Record &record, const Columns &columns)
    {
        ++preview.rows;
        if (record.problem != CsvReader::None) {
            if (record.problem == CsvReader::UnterminatedQuote)
                preview.unclosedQuoteLine = record.problemLine;
            return unread(record.line, UnreadRow::BrokenQuote, {});
        }
        const std::string_view id = cellOf(record, columns.identifier);
        if (id.empty())
            return unread(record.line, UnreadRow::NoIdentifier, {});
        const auto found = known.mayHold(id) ? entries.find(id) : entries.end();
        if (found == entries.end())
            return unread(record.line, UnreadRow::UnknownIdentifier, id);
        Entry &entry = found->second;
        RowValues values;
        if (const std::string_view text = cellOf(record, columns.price); !text.empty()) {
            const TypedValue::Reading price = valueOf(text, TypedValue::Price);
            if (!price.read() && !(isHeldBeyondLimits(price) && entry.holds(price.value, &Form::getPrice)))
                return unread(record.line, UnreadRow::RefusedPrice, text, price);
            values.price = price.value;
        }
        if (const std::string_view text = cellOf(record, columns.stock); !text.empty()) {
            const TypedValue::Reading stock = valueOf(text, TypedValue::Stock);
            const bool held = isHeldBeyondLimits(stock) && stock.value <= UINT_MAX
                    && entry.holds(static_cast<unsigned int>(stock.value), &Form::getStock);
            if (!stock.read() && !held)
                return unread(record.line, UnreadRow::RefusedStock, text, stock);
            values.stock = static_cast<unsigned int>(stock.value);
        }
        entry.add(values);
        if (entry.rows == 1)
            changing += entry.variants();
        if (entry.variants() > 1 && entry.rows == 1 && preview.sharedCount++ < ImportPreview::listed)
            preview.sharedIdentifiers.push_back({ kept(id), entry.variants() });
    }

    void gatherChanges()
    {
        // The list is made to measure: doubling it could take half as much again.
        preview.changes.reserve(changing);
        const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
        for (std::size_t element = 0; element < furnitures.size(); ++element) {
            const std::vector<Form> &forms = furnitures[element]->getForms();
            for (std::size_t variant = 0; variant < forms.size(); ++variant) {
                const Form &form = forms[variant];
                Entry &entry = entries.find(form.getId())->second;
                if (entry.rows == 0)
                    continue;
                const RowValues &values = entry.rowFor(entry.gathered++);
                const bool priceChanges = values.price && *values.price != form.getPrice();
                const bool stockChanges = values.stock && *values.stock != form.getStock();
                if (!priceChanges && !stockChanges)
                    continue;
                preview.priceChanges += priceChanges;
                preview.stockChanges += stockChanges;
                preview.changes.push_back({ { element, variant }, form.getSerial(), kept(form.getId()),
                                            form.getPrice(), priceChanges ? *values.price : form.getPrice(),
                                            form.getStock(), stockChanges ? *values.stock : form.getStock() });
            }
        }
    }

private:
    static std::size_t variantsOf(const SetOfFurnitures &catalogue)
    {
        std::size_t variants = 0;
        for (const Furniture *element : catalogue.getFurnitures())
            variants += element->getForms().size();
        return variants;
    }

    TypedValue::Reading valueOf(std::string_view text, TypedValue::Kind kind) const
    {
        if (text.size() > maxValueSize)
            return { TypedValue::NotANumber };
        return TypedValue::read(decoded(text), kind, decimalMark);
    }

    // A row takes its place in the list, which may double, and its kept text.
    void unread(qint64 line, UnreadRow::Reason reason, std::string_view value,
                const TypedValue::Reading &why = { TypedValue::Read })
    {
        ++preview.unreadCount;
        const std::string_view part = keptPart(value);
        const qint64 bytes = 2 * qint64(sizeof(UnreadRow)) + heapBytes(part.size() + (part.size() < value.size() ? 3 : 0));
        if (bytes > unreadMemory)
            return;
        unreadMemory -= bytes;
        preview.unreadRows.push_back({ line, reason, kept(value), why.outcome,
                                       why.outcome == TypedValue::TooManyDecimals ? why.decimals : 0 });
    }

    const SetOfFurnitures &catalogue;
    ImportPreview &preview;
    const QChar decimalMark;
    // Keyed by views of the catalogue's identifiers, which outlive the reading.
    std::unordered_map<std::string_view, Entry> entries;
    IdentifierFilter known;
    // What the rows that change nothing may still take.
    qint64 unreadMemory;
    // The variants of the identifiers that rows name, which may change.
    std::size_t changing = 0;
};

} // namespace

ImportPreview PriceImport::read(const QString &path, const SetOfFurnitures &catalogue,
                                const ImportColumnNames &names, qint64 memoryBound)
{
    QByteArray bytes;
    ImportPreview preview;
    preview.file = DiskFile::read(path, maxFileSize, bytes);
    if (!preview.file.ok()) {
        preview.outcome = ImportPreview::FileFailed;
        return preview;
    }
    return PriceImport::preview(bytes, catalogue, names, memoryBound);
}

ImportPreview PriceImport::preview(QByteArrayView bytes, const SetOfFurnitures &catalogue,
                                   const ImportColumnNames &names, qint64 memoryBound)
{
    ImportPreview preview;
    const QByteArrayView text = CsvReader::withoutByteOrderMark(bytes);
    if (text.trimmed().isEmpty()) {
        preview.outcome = ImportPreview::FileFailed;
        preview.file.outcome = FileResult::EmptyFile;
        return preview;
    }
    // UTF-16 and UTF-32 start with these marks.
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
        preview.outcome = ImportPreview::NotUtf8;
        return preview;
    }
    if (std::memchr(text.data(), 0, std::size_t(text.size()))) {
        preview.outcome = ImportPreview::Binary;
        return preview;
    }
    if (!isUtf8(text)) {
        preview.outcome = ImportPreview::NotUtf8;
        return preview;
    }
    // Besides the file, its fields copied, each with room to double, take at most twice
    // its size; what the bound leaves then goes to the fields of the widest record.
    const qint64 spare = memoryBound - 3 * bytes.size() - fixedMemory - unreadMemoryOf(memoryBound)
            - variantsMemory(catalogue);
    if (spare < fieldMemory) {
        preview.outcome = ImportPreview::TooMuchContent;
        return preview;
    }

    const char separator = CsvReader::separatorOf(text);
    CsvReader reader(text, separator, memoryBound / 8, std::size_t(spare / fieldMemory));
    CsvReader::Record record;
    // A field or a record too large ends the reading, and the import with it.
    const auto refused = [&record, &preview] {
        if (record.problem == CsvReader::FieldTooLong) {
            preview = ImportPreview();
            preview.outcome = ImportPreview::FieldTooLong;
            preview.longFieldLine = record.problemLine;
        } else if (record.problem == CsvReader::TooManyFields) {
            preview = ImportPreview();
            preview.outcome = ImportPreview::TooMuchContent;
        }
        return !preview.read();
    };
    reader.next(record);
    if (refused())
        return preview;
    const Columns columns = columnsOf(record.fields, names, preview);
    if (columns.identifier < 0) {
        preview.outcome = ImportPreview::NoIdentifierColumn;
        return preview;
    }
    if (columns.price < 0 && columns.stock < 0) {
        preview.outcome = ImportPreview::NoPriceOrStockColumn;
        return preview;
    }
    // Files of semicolons come from where a comma marks the decimals.
    Reading reading(catalogue, preview, separator == ';' ? u',' : u'.', unreadMemoryOf(memoryBound));
    while (reader.next(record)) {
        if (refused())
            return preview;
        reading.readRow(record, columns);
    }
    reading.gatherChanges();
    return preview;
}

std::vector<VariantValues> ImportPreview::newValues(const std::vector<bool> &ticked) const
{
    std::vector<VariantValues> values;
    values.reserve(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i)
        if (ticked.empty() || ticked[i])
            values.push_back({ changes[i].place, changes[i].newPrice, changes[i].newStock });
    return values;
}
