#pragma once

#include "cataloguetable.h"
#include "pricelistmodel.h"

#include <QPersistentModelIndex>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <vector>

class CatalogueDocument;
class Furniture;

class QMenu;

namespace Ui {
class PriceList;
}

// Every variant of the catalogue in one sortable table, with the price and stock of each,
// changed in place or many at once, and their totals. It shows and asks; the changes are
// the catalogue's steps, pushed into the document's history.
class PriceList : public QWidget
{
    Q_OBJECT

public:
    explicit PriceList(CatalogueDocument &document, QWidget *parent = nullptr);
    ~PriceList() override;

    // The variants shown, in the order shown.
    std::vector<ExportedVariant> shownVariants() const;
    // The exports and the print its Export button offers.
    void setExportMenu(QMenu *menu);

signals:
    // Return on a row, or a double-click on a cell that is not edited in place, asks for
    // an editor on that very variant.
    void variantActivated(Furniture *element, std::size_t variant);

private:
    void updateTitle();
    void showTotals();
    void lowStockChanged();
    void activate(const QModelIndex &index);
    void copyRows();
    void changePrices();
    void changeStock();
    void editRefused(PriceListModel::Refusal why, int column);
    void keepTopRow();
    void showTopRow();
    std::vector<int> selectedRows() const;
    std::optional<std::vector<VariantPlace>> selectedPlaces();

    Ui::PriceList *ui;
    CatalogueDocument &document;
    PriceListModel *model;
    // The row at the top of the table while its rows are rearranged, to keep it there.
    QPersistentModelIndex topRow;
};
