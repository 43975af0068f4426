#include "importreport.h"

#include "importrefusalsmodel.h"
#include "priceimport.h"

ImportReport::ImportReport(const ImportPreview &preview, const std::vector<bool> &ticked)
    : preview(preview), ticked(ticked), applied(tr("applied").toStdString()),
      notApplied(tr("not applied").toStdString())
{
}

std::size_t ImportReport::columnCount() const
{
    return ColumnCount;
}

std::size_t ImportReport::rowCount() const
{
    return preview.changes.size() + preview.unreadRows.size();
}

QString ImportReport::header(std::size_t column) const
{
    const QString names[] = { tr("Line"),  tr("Identifier"), tr("Price"),  tr("New price"),
                              tr("Stock"), tr("New stock"),  tr("Outcome") };
    return names[column];
}

void ImportReport::row(std::size_t row, TableCell *cells) const
{
    std::fill(cells, cells + ColumnCount, TableCell());
    if (row < preview.changes.size()) {
        const ImportedChange &change = preview.changes[row];
        cells[Identifier].text = &change.id;
        cells[Price] = { TableCell::Price, nullptr, change.oldPrice };
        if (change.newPrice != change.oldPrice)
            cells[NewPrice] = { TableCell::Price, nullptr, change.newPrice };
        cells[Stock] = { TableCell::Number, nullptr, double(change.oldStock) };
        if (change.newStock != change.oldStock)
            cells[NewStock] = { TableCell::Number, nullptr, double(change.newStock) };
        cells[Outcome].text = ticked[row] ? &applied : &notApplied;
        return;
    }
    const UnreadRow &unread = preview.unreadRows[row - preview.changes.size()];
    line = std::to_string(unread.line);
    cells[Line] = { TableCell::Number, &line, double(unread.line) };
    const QString field = ImportRefusalsModel::field(unread);
    outcome = (field.isEmpty() ? QString() : field + QStringLiteral(": ")).toStdString()
            + ImportRefusalsModel::why(unread).toStdString();
    cells[Outcome].text = &outcome;
}
