#pragma once

#include <QString>

#include <cstddef>
#include <string>

// One cell of an exported table. A number cell keeps the text it was given, where it has
// one, so that a file writes it as it stands; the value is what a spreadsheet sums.
struct TableCell
{
    enum Kind {
        Text,
        Number,
        // A number shown with two decimals where the file has number formats.
        Price,
    };
    Kind kind = Text;
    // UTF-8, as the catalogue holds it; none for a number written from its value.
    const std::string *text = nullptr;
    double number = 0;
};

// A table the exports write a row after the other, so that none of them holds a copy of
// the whole table.
class ExportTable
{
public:
    virtual ~ExportTable() = default;
    virtual std::size_t columnCount() const = 0;
    virtual std::size_t rowCount() const = 0;
    virtual QString header(std::size_t column) const = 0;
    // Fills `cells`, columnCount() of them, with the row `row`.
    virtual void row(std::size_t row, TableCell *cells) const = 0;
};
