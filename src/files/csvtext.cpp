#include "csvtext.h"

#include <QLocale>

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr char formulaStarts[] = "=+-@\t\r";

void appendField(std::string &out, const char *text, std::size_t size, char separator, bool protect)
{
    bool quoted = false;
    for (std::size_t i = 0; i < size && !quoted; ++i)
        quoted = text[i] == separator || text[i] == '"' || text[i] == '\r' || text[i] == '\n';
    if (quoted)
        out += '"';
    if (protect && CsvText::looksLikeFormula(text, size))
        out += '\'';
    if (!quoted) {
        out.append(text, size);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            if (text[i] == '"')
                out += '"';
            out += text[i];
        }
        out += '"';
    }
}

} // namespace

bool CsvText::looksLikeFormula(const char *text, std::size_t size)
{
    std::size_t start = 0;
    while (start < size && text[start] == '\'')
        ++start;
    return start < size && std::strchr(formulaStarts, text[start]) != nullptr;
}

QByteArray CsvText::number(double value)
{
    if (!std::isfinite(value))
        return {};
    // Integers up to 2^53 are exact, as the file writes them.
    if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0)
        return QByteArray::number(qint64(value));
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray CsvText::write(const ExportTable &table, Dialect dialect, bool byteOrderMark)
{
    const QByteArray text = write(table, dialect);
    return byteOrderMark ? "\xEF\xBB\xBF" + text : text;
}

QByteArray CsvText::write(const ExportTable &table, Dialect dialect)
{
    const bool semicolons = dialect == Dialect::SemicolonDecimalComma;
    const char separator = semicolons ? ';' : ',';
    const std::size_t columns = table.columnCount();
    // Built in a std::string, whose appends of one character are inline; QByteArray's
    // take several times as long, which a table of 100,000 rows makes a third of the time.
    std::string out;
    // About a hundred bytes a row keeps the appends from moving the text often.
    out.reserve(std::min<std::size_t>(table.rowCount() + 1, std::size_t(1) << 24) * 100);
    for (std::size_t column = 0; column < columns; ++column) {
        const QByteArray name = table.header(column).toUtf8();
        if (column > 0)
            out += separator;
        appendField(out, name.constData(), std::size_t(name.size()), separator, true);
    }
    out += "\r\n";
    std::vector<TableCell> cells(columns);
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        table.row(row, cells.data());
        for (std::size_t column = 0; column < columns; ++column) {
            if (column > 0)
                out += separator;
            const TableCell &cell = cells[column];
            if (cell.kind == TableCell::Text) {
                const std::string empty;
                const std::string &text = cell.text ? *cell.text : empty;
                appendField(out, text.data(), text.size(), separator, true);
                continue;
            }
            if (cell.text && !semicolons) {
                appendField(out, cell.text->data(), cell.text->size(), separator, false);
                continue;
            }
            QByteArray text = cell.text ? QByteArray::fromStdString(*cell.text) : number(cell.number);
            if (semicolons)
                text.replace('.', ',');
            appendField(out, text.constData(), std::size_t(text.size()), separator, false);
        }
        out += "\r\n";
    }
    return QByteArray(out.data(), qsizetype(out.size()));
}
