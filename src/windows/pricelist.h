#pragma once

#include "cataloguetable.h"
#include "pricelistmodel.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QWidget>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class CatalogueDocument;
class Furniture;
class PriceListColumns;
struct PastedValues;

class QAction;
class QItemSelection;
class QKeySequence;
class QMenu;

namespace Ui {
class PriceList;
}

// Every variant of the catalogue in one sortable table, with the price and stock of each,
// changed in place, pasted, filled down or changed many at once, and their totals. It
// handles as a spreadsheet does: rows stay where they are while values change, Return
// moves down, the clipboard takes and gives columns of values. It shows and asks; the
// changes are the catalogue's steps, pushed into the document's history.
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
    // Stocks at or below it are low, as the list was last set; the main window marks them too.
    static unsigned int lowStockThreshold();

signals:
    // Return on a row, or a double-click on a cell that is not edited in place, asks for
    // an editor on that very variant.
    void variantActivated(Furniture *element, std::size_t variant);
    // Labels of the selected rows, or of every row shown where none is selected.
    void labelsRequested(const std::vector<ExportedVariant> &variants);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // A count not applied is lost only after a question.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addRowAction(const QString &text, const char *name, const QKeySequence &keys, void (PriceList::*slot)());
    void buildActions();
    void buildHistoryButtons();
    void showRowMenu(const QPoint &at);
    void followReadOnly();
    void updateTitle();
    void showTotals();
    void lowStockChanged();
    void activate(const QModelIndex &index);
    void openCurrent();
    void copyRows();
    void requestLabels();
    void findScanned();
    void countScanned(const QString &code, const QItemSelection &found);
    void countModeChanged();
    void applyCount();
    void clearCount();
    void followCount();
    void paste();
    QString pasteRefusal(const PastedValues &pasted, const std::vector<int> &rows, std::size_t lines) const;
    void fillDown();
    void changePrices();
    void changeStock();
    void editRefused(PriceListModel::Refusal why, int column, TypedValue::Outcome outcome);
    void moveDown();
    void keepTopRow();
    void showTopRow();
    std::vector<int> selectedRows() const;
    std::vector<ExportedVariant> variantsAt(const std::vector<int> &rows) const;
    std::optional<std::vector<VariantPlace>> placesOf(const std::vector<int> &rows);
    std::optional<TypedValue::Kind> currentValueColumn();

    Ui::PriceList *ui;
    CatalogueDocument &document;
    PriceListModel *model;
    std::unique_ptr<PriceListColumns> columns;
    QMenu *rowMenu;
    // The actions that change values, off while the catalogue is read-only.
    QList<QAction *> changing;
    // The row at the top of the table while its rows are rearranged, to keep it there.
    QPersistentModelIndex topRow;
    // Variants counted by scanning, until applied or cleared.
    std::size_t countedVariants = 0;
};
