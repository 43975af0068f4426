#pragma once

#include "exporttable.h"

#include <QCoreApplication>

#include <string>
#include <vector>

struct ImportPreview;

// An import's preview as a table for a CSV file: each change, applied or not, then each
// row of the file that changes nothing, with its line and why.
class ImportReport : public ExportTable
{
    Q_DECLARE_TR_FUNCTIONS(ImportReport)

public:
    // Both outlive the report.
    ImportReport(const ImportPreview &preview, const std::vector<bool> &ticked);

    std::size_t columnCount() const override;
    std::size_t rowCount() const override;
    QString header(std::size_t column) const override;
    void row(std::size_t row, TableCell *cells) const override;

private:
    enum Column { Line, Identifier, Price, NewPrice, Stock, NewStock, Outcome, ColumnCount };

    const ImportPreview &preview;
    const std::vector<bool> &ticked;
    // The texts of the row being written, which its cells point to.
    mutable std::string line;
    mutable std::string outcome;
    const std::string applied;
    const std::string notApplied;
};
