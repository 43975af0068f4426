#include "tablecopy.h"

#include <algorithm>

TableCopy::TableCopy(const ExportTable &table) : columns(table.columnCount())
{
    for (std::size_t column = 0; column < columns; ++column)
        headers << table.header(column);
    const std::size_t rows = table.rowCount();
    cells.resize(rows * columns);
    std::size_t textCount = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        TableCell *line = cells.data() + row * columns;
        table.row(row, line);
        textCount += std::size_t(std::count_if(line, line + columns, [](const TableCell &cell) { return cell.text; }));
    }
    // Reserved first, so that no text moves while the cells point at them.
    texts.reserve(textCount);
    for (TableCell &cell : cells)
        if (cell.text)
            cell.text = &texts.emplace_back(*cell.text);
}

void TableCopy::row(std::size_t row, TableCell *line) const
{
    std::copy_n(cells.begin() + std::ptrdiff_t(row * columns), columns, line);
}
