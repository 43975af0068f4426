#pragma once

#include "exporttable.h"

#include <QByteArray>

// An exported table as CSV text (RFC 4180): UTF-8, CRLF line ends, a field quoted where it
// holds the separator, a quote or a line break. A text a spreadsheet would run as a formula
// (one starting with =, +, -, @, a tab or a carriage return) gets a leading apostrophe,
// which CsvReader takes off again.
namespace CsvText {

enum class Dialect {
    // Commas between fields, numbers with a decimal point, as the catalogue file writes them.
    Comma,
    // Semicolons and decimal commas, as spreadsheets set up in French expect.
    SemicolonDecimalComma,
};

QByteArray write(const ExportTable &table, Dialect dialect);
// The same, after a UTF-8 byte-order mark where `byteOrderMark`: spreadsheet programs that
// guess a file's character set take it as UTF-8, and would otherwise show "MÃ¤kelÃ¤".
QByteArray write(const ExportTable &table, Dialect dialect, bool byteOrderMark);

// The text of a number as the catalogue file writes it: without a fraction where it has
// none, else with the fewest digits that read back as the same number.
QByteArray number(double value);

// Whether a spreadsheet would run `text` as a formula were it written bare, an apostrophe
// that CsvText added taken into account.
bool looksLikeFormula(const char *text, std::size_t size);

} // namespace CsvText
