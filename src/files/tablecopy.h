#pragma once

#include "exporttable.h"

#include <QStringList>

#include <string>
#include <vector>

// A table copied whole, texts and all, so that another thread may write it while the
// records it was read from change.
class TableCopy : public ExportTable
{
public:
    explicit TableCopy(const ExportTable &table);

    std::size_t columnCount() const override { return columns; }
    std::size_t rowCount() const override { return columns ? cells.size() / columns : 0; }
    QString header(std::size_t column) const override { return headers.value(qsizetype(column)); }
    void row(std::size_t row, TableCell *cells) const override;

private:
    std::size_t columns;
    QStringList headers;
    // Row after row; each cell's text points into `texts`, which never grows after the copy.
    std::vector<TableCell> cells;
    std::vector<std::string> texts;
};
