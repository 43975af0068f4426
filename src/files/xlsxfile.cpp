#include "xlsxfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unzip.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The most characters a cell holds, and the widest a column may be.
constexpr std::size_t maxCellCharacters = 32767;
constexpr double maxColumnWidth = 60;

// UTF-8 characters in `text`, as a width.
std::size_t characters(const std::string &text)
{
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// `text` cut to at most maxCellCharacters characters, at a character's start.
std::string cut(const std::string &text)
{
    std::size_t end = 0, count = 0;
    while (end < text.size() && count < maxCellCharacters) {
        ++end;
        while (end < text.size() && (text[end] & 0xC0) == 0x80)
            ++end;
        ++count;
    }
    return text.substr(0, end);
}

// Whether the XML document whose first bytes are `head` ends with `tail`'s closing tag of
// its root element.
bool closesItsRoot(const QByteArray &head, const QByteArray &tail)
{
    qsizetype start = head.indexOf('<');
    while (start >= 0 && (head.mid(start + 1, 1) == "?" || head.mid(start + 1, 1) == "!"))
        start = head.indexOf('<', start + 1);
    if (start < 0)
        return false;
    qsizetype end = start + 1;
    while (end < head.size() && !QByteArrayView(" \t\r\n/>").contains(head[end]))
        ++end;
    return tail.trimmed().endsWith("</" + head.mid(start + 1, end - start - 1) + '>');
}

// Whether every XML part of the workbook at `path` reads whole to its root's closing tag.
// The library writes each part to a temporary file first and does not notice when a
// file-size limit or a full disk cuts one short: the archive then holds it as it was cut.
bool partsAreWhole(const QByteArray &path)
{
    const unzFile archive = unzOpen64(path.constData());
    if (!archive)
        return false;
    bool whole = true;
    for (int at = unzGoToFirstFile(archive); whole && at == UNZ_OK; at = unzGoToNextFile(archive)) {
        char name[512];
        unz_file_info64 info;
        whole = unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK
                && unzOpenCurrentFile(archive) == UNZ_OK;
        if (!whole)
            break;
        constexpr qsizetype kept = 256;
        QByteArray head, tail;
        char chunk[64 * 1024];
        int got;
        while ((got = unzReadCurrentFile(archive, chunk, sizeof chunk)) > 0) {
            if (head.size() < kept)
                head.append(chunk, std::min<qsizetype>(got, kept - head.size()));
            tail = (tail + QByteArray(chunk, got)).right(kept);
        }
        const bool isXml = QByteArrayView(name).endsWith(".xml") || QByteArrayView(name).endsWith(".rels");
        whole = unzCloseCurrentFile(archive) == UNZ_OK && got == 0 && (!isXml || closesItsRoot(head, tail));
    }
    unzClose(archive);
    return whole;
}

struct WorkbookCloser
{
    void operator()(lxw_workbook *workbook) const { workbook_close(workbook); }
};

} // namespace

QString XlsxFile::sheetName(const QString &name)
{
    static const QRegularExpression refused(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString sheet = QString(name).remove(refused).trimmed();
    // A name may not start or end with an apostrophe either.
    while (sheet.startsWith(u'\''))
        sheet.remove(0, 1);
    while (sheet.endsWith(u'\''))
        sheet.chop(1);
    sheet.truncate(31);
    return sheet.isEmpty() ? QStringLiteral("Sheet1") : sheet;
}

XlsxFile::Outcome XlsxFile::write(const ExportTable &table, const QString &sheetName)
{
    return write(table, sheetName, [](std::size_t) { return true; });
}

XlsxFile::Outcome XlsxFile::write(const ExportTable &table, const QString &sheetName,
                                  const std::function<bool(std::size_t)> &progress)
{
    // Often enough for a progress bar, rarely enough to cost nothing.
    constexpr std::size_t progressStep = 1000;
    Outcome outcome;
    // The library writes to a file only: a folder of this program's own, removed after.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        outcome.error = scratch.errorString();
        return outcome;
    }
    const QString path = scratch.filePath(QStringLiteral("export.xlsx"));
    const QByteArray nativePath = QFile::encodeName(path), folder = QFile::encodeName(scratch.path());
    lxw_workbook_options options {};
    // Rows go to disk as they are written, so memory does not grow with the table.
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(folder.constData());
    options.use_zip64 = LXW_TRUE;
    lxw_error result = LXW_NO_ERROR;
    {
        std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new_opt(nativePath.constData(), &options));
        if (!workbook) {
            outcome.error = QStringLiteral("cannot create the workbook");
            return outcome;
        }
        lxw_worksheet *sheet =
                workbook_add_worksheet(workbook.get(), XlsxFile::sheetName(sheetName).toUtf8().constData());
        if (!sheet) {
            outcome.error = QStringLiteral("cannot add the sheet");
            return outcome;
        }
        lxw_format *bold = workbook_add_format(workbook.get());
        format_set_bold(bold);
        lxw_format *price = workbook_add_format(workbook.get());
        format_set_num_format(price, "0.00");

        const std::size_t columns = table.columnCount();
        std::vector<double> widths(columns, 0);
        for (std::size_t column = 0; column < columns; ++column) {
            const std::string name = table.header(column).toStdString();
            widths[column] = double(characters(name));
            worksheet_write_string(sheet, 0, lxw_col_t(column), name.c_str(), bold);
        }
        std::vector<TableCell> cells(columns);
        const std::size_t rows = table.rowCount();
        for (std::size_t row = 0; row < rows; ++row) {
            if (row % progressStep == 0 && !progress(row)) {
                outcome.cancelled = true;
                return outcome;
            }
            table.row(row, cells.data());
            const auto line = lxw_row_t(row + 1);
            for (std::size_t column = 0; column < columns; ++column) {
                const TableCell &cell = cells[column];
                const auto col = lxw_col_t(column);
                if (cell.kind == TableCell::Text) {
                    if (!cell.text || cell.text->empty())
                        continue;
                    std::size_t width = characters(*cell.text);
                    if (width > maxCellCharacters) {
                        ++outcome.cutTexts;
                        worksheet_write_string(sheet, line, col, cut(*cell.text).c_str(), nullptr);
                        width = maxCellCharacters;
                    } else {
                        worksheet_write_string(sheet, line, col, cell.text->c_str(), nullptr);
                    }
                    widths[column] = std::max(widths[column], double(width));
                } else {
                    worksheet_write_number(sheet, line, col, cell.number,
                                           cell.kind == TableCell::Price ? price : nullptr);
                    const std::size_t width = cell.text ? cell.text->size() : 10;
                    widths[column] = std::max(widths[column], double(width));
                }
            }
        }
        for (std::size_t column = 0; column < columns; ++column)
            worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column),
                                 std::min(widths[column] + 2, maxColumnWidth), nullptr);
        worksheet_freeze_panes(sheet, 1, 0);
        worksheet_autofilter(sheet, 0, 0, lxw_row_t(rows), lxw_col_t(columns ? columns - 1 : 0));
        result = workbook_close(workbook.release());
    }
    if (result != LXW_NO_ERROR) {
        outcome.error = QString::fromUtf8(lxw_strerror(result));
        return outcome;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.error = file.errorString();
        return outcome;
    }
    if (!partsAreWhole(nativePath)) {
        outcome.error = QStringLiteral("the workbook was cut short as it was written");
        return outcome;
    }
    outcome.bytes = file.readAll();
    if (file.error() != QFile::NoError) {
        outcome.error = file.errorString();
        outcome.bytes.clear();
    }
    return outcome;
}
