#include "priceimport.h"

#include "cataloguesearch.h"
#include "csvreader.h"

#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

// The values one row of the file gives.
struct RowValues
{
    std::optional<double> price;
    std::optional<unsigned int> stock;
};

// The variants of the catalogue under one identifier, and the rows of the file that name it.
struct Entry
{
    std::vector<const Form *> forms;
    std::vector<RowValues> rows;
    // The variants already given their values.
    std::size_t gathered = 0;
};

struct Columns
{
    int identifier = -1;
    int price = -1;
    int stock = -1;
};

bool isDigits(std::string_view text, std::size_t most)
{
    return !text.empty() && text.size() <= most
            && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string_view trimmed(const std::string &text)
{
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t'))
        view.remove_suffix(1);
    return view;
}

// The editor's form of a price: up to four digits, then up to two decimals after a point
// or a comma.
bool isTypedPrice(std::string_view text)
{
    const std::size_t point = text.find_first_of(".,");
    if (point == std::string_view::npos)
        return isDigits(text, 4);
    return isDigits(text.substr(0, point), 4) && isDigits(text.substr(point + 1), 2);
}

std::optional<double> numberOf(std::string_view text)
{
    std::string dotted(text);
    if (const std::size_t comma = dotted.find(','); comma != std::string::npos)
        dotted[comma] = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(dotted.data(), dotted.data() + dotted.size(), value);
    if (error != std::errc() || end != dotted.data() + dotted.size())
        return std::nullopt;
    return value;
}

std::optional<unsigned int> stockOf(std::string_view text)
{
    unsigned int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

bool named(const QString &header, const QStringList &names)
{
    for (const QString &name : names)
        if (CatalogueSearch::folded(name) == header)
            return true;
    return false;
}

Columns columnsOf(const std::vector<std::string> &header, const ImportColumnNames &names)
{
    Columns columns;
    const QStringList identifier = names.identifier + QStringList { QStringLiteral("id") };
    const QStringList price = names.price + QStringList { QStringLiteral("price"), QStringLiteral("prix") };
    const QStringList stock = names.stock + QStringList { QStringLiteral("stock") };
    for (std::size_t i = 0; i < header.size(); ++i) {
        const QString folded = CatalogueSearch::folded(QString::fromUtf8(header[i]).trimmed());
        int *column = named(folded, identifier) ? &columns.identifier
                : named(folded, price)          ? &columns.price
                : named(folded, stock)          ? &columns.stock
                                                : nullptr;
        // The first of columns of the same name counts.
        if (column && *column < 0)
            *column = int(i);
    }
    return columns;
}

std::string_view cellOf(const CsvReader::Record &record, int column)
{
    return column >= 0 && std::size_t(column) < record.fields.size() ? trimmed(record.fields[std::size_t(column)])
                                                                     : std::string_view();
}

class Reading
{
public:
    Reading(const SetOfFurnitures &catalogue, ImportPreview &preview) : catalogue(catalogue), preview(preview)
    {
        for (const Furniture *element : catalogue.getFurnitures())
            for (const Form &form : element->getForms())
                entries[form.getId()].forms.push_back(&form);
    }

    void readRow(const CsvReader::Record &record, const Columns &columns)
    {
        ++preview.rows;
        if (record.problem != CsvReader::None)
            return unread(record.line, UnreadRow::BrokenQuote, {});
        const std::string_view id = cellOf(record, columns.identifier);
        if (id.empty())
            return unread(record.line, UnreadRow::NoIdentifier, {});
        const auto found = entries.find(id);
        if (found == entries.end()) {
            if (unknown.insert(std::string(id)).second)
                preview.unknownIdentifiers.emplace_back(id);
            return;
        }
        Entry &entry = found->second;
        const auto held = [&entry](auto value, auto valueOf) {
            return std::any_of(entry.forms.begin(), entry.forms.end(),
                               [&](const Form *form) { return (form->*valueOf)() == value; });
        };
        RowValues values;
        if (const std::string_view text = cellOf(record, columns.price); !text.empty()) {
            values.price = numberOf(text);
            if (!values.price || !(isTypedPrice(text) || held(*values.price, &Form::getPrice)))
                return unread(record.line, UnreadRow::RefusedPrice, text);
        }
        if (const std::string_view text = cellOf(record, columns.stock); !text.empty()) {
            values.stock = stockOf(text);
            if (!values.stock || !(isDigits(text, 5) || held(*values.stock, &Form::getStock)))
                return unread(record.line, UnreadRow::StockOutOfRange, text);
        }
        entry.rows.push_back(values);
        if (entry.forms.size() > 1 && entry.rows.size() == 1)
            preview.sharedIdentifiers.push_back({ std::string(id), entry.forms.size() });
    }

    // One row gives its values to every variant of its identifier; as many rows as
    // variants give theirs to one each, in order, as the export lists them; otherwise
    // the last row counts.
    void gatherChanges()
    {
        const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
        for (std::size_t element = 0; element < furnitures.size(); ++element) {
            const std::vector<Form> &forms = furnitures[element]->getForms();
            for (std::size_t variant = 0; variant < forms.size(); ++variant) {
                const Form &form = forms[variant];
                Entry &entry = entries.find(form.getId())->second;
                if (entry.rows.empty())
                    continue;
                const std::size_t turn = entry.gathered++;
                const RowValues &values = entry.rows.size() == entry.forms.size() ? entry.rows[turn] : entry.rows.back();
                const bool priceChanges = values.price && *values.price != form.getPrice();
                const bool stockChanges = values.stock && *values.stock != form.getStock();
                if (!priceChanges && !stockChanges)
                    continue;
                preview.priceChanges += priceChanges;
                preview.stockChanges += stockChanges;
                preview.changes.push_back({ { element, variant }, form.getSerial(), form.getId(),
                                            form.getPrice(), priceChanges ? *values.price : form.getPrice(),
                                            form.getStock(), stockChanges ? *values.stock : form.getStock() });
            }
        }
    }

private:
    void unread(qint64 line, UnreadRow::Reason reason, std::string_view value)
    {
        preview.unreadRows.push_back({ line, reason, std::string(value) });
    }

    const SetOfFurnitures &catalogue;
    ImportPreview &preview;
    // Keyed by views of the catalogue's identifiers, which outlive the reading.
    std::unordered_map<std::string_view, Entry> entries;
    std::unordered_set<std::string> unknown;
};

} // namespace

ImportPreview PriceImport::read(const QString &path, const SetOfFurnitures &catalogue,
                                const ImportColumnNames &names)
{
    QByteArray bytes;
    ImportPreview preview;
    preview.file = DiskFile::read(path, maxFileSize, bytes);
    if (!preview.file.ok()) {
        preview.outcome = ImportPreview::FileFailed;
        return preview;
    }
    return PriceImport::preview(bytes, catalogue, names);
}

ImportPreview PriceImport::preview(QByteArrayView bytes, const SetOfFurnitures &catalogue,
                                   const ImportColumnNames &names)
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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)QString(utf8.decode(text));
    if (utf8.hasError()) {
        preview.outcome = ImportPreview::NotUtf8;
        return preview;
    }

    CsvReader reader(text, CsvReader::separatorOf(text));
    CsvReader::Record record;
    reader.next(record);
    const Columns columns = columnsOf(record.fields, names);
    if (columns.identifier < 0) {
        preview.outcome = ImportPreview::NoIdentifierColumn;
        return preview;
    }
    if (columns.price < 0 && columns.stock < 0) {
        preview.outcome = ImportPreview::NoPriceOrStockColumn;
        return preview;
    }
    Reading reading(catalogue, preview);
    while (reader.next(record))
        reading.readRow(record, columns);
    reading.gatherChanges();
    return preview;
}
