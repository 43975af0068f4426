// Feeds arbitrary bytes to the CSV reader and the import of prices and stocks: reading
// ends, line numbers never go back, the records a CSV export writes read back the same,
// and applying and undoing the import gives the catalogue back.

#include "cataloguecommands.h"
#include "csvreader.h"
#include "csvtext.h"
#include "priceimport.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "csv import: %s\n", what);
    std::abort();
}

// The fields of one record as a table of texts, for the writer.
class RecordTable : public ExportTable
{
public:
    explicit RecordTable(const std::vector<std::string> &fields) : fields(fields) {}
    std::size_t columnCount() const override { return fields.size(); }
    std::size_t rowCount() const override { return 1; }
    QString header(std::size_t) const override { return QStringLiteral("h"); }
    void row(std::size_t, TableCell *cells) const override
    {
        for (std::size_t i = 0; i < fields.size(); ++i)
            cells[i] = { TableCell::Text, &fields[i], 0 };
    }

private:
    const std::vector<std::string> &fields;
};

// Identifiers the inputs are likely to hold, one of them on two variants.
void fill(SetOfFurnitures &set)
{
    set.addFurniture(new Furniture("C", "n", "d", "x", Dimension("1", "2", "3", "4"),
                                   { Form("001.001.001", "", "red", 59.9, 12), Form("1", "", "", 0, 0) }));
    set.addFurniture(new Furniture("C", "m", "", "", Dimension("", "", "", ""),
                                   { Form("001.001.001", "", "blue", 1e300, 4294967295u), Form("a", "", "", 5, 5) }));
}

std::string dump(const SetOfFurnitures &set)
{
    std::ostringstream out;
    out.precision(17);
    for (const Furniture *element : set.getFurnitures())
        out << *element;
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const char separator : { ',', ';' }) {
        CsvReader reader(CsvReader::withoutByteOrderMark(bytes), separator);
        CsvReader::Record record;
        qint64 line = 0;
        while (reader.next(record)) {
            require(record.line > line, "a record starts on a line already read");
            line = record.line;
            if (record.problem != CsvReader::None || (record.fields.size() == 1 && record.fields[0].empty()))
                continue;
            const QByteArray written = CsvText::write(RecordTable(record.fields), CsvText::Dialect(separator == ';'));
            CsvReader again(written, separator);
            CsvReader::Record header, back;
            require(again.next(header) && again.next(back), "a written record does not read back");
            require(back.problem == CsvReader::None && back.fields == record.fields, "a written record reads back otherwise");
        }
    }

    SetOfFurnitures set;
    fill(set);
    const std::string before = dump(set);
    const ImportPreview preview = PriceImport::preview(bytes, set, { { "Identifier" }, { "Price" }, { "Stock" }, {}, {} });
    require(preview.changes.size() <= 4, "more changes than variants");
    ValuesCommand step(set, preview.newValues(), QStringLiteral("import"));
    step.redo();
    step.undo();
    require(dump(set) == before, "undoing the import did not give the catalogue back");
    set.clear();
    return 0;
}
