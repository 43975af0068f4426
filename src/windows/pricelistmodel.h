#pragma once

#include "catalogueoperations.h"
#include "stocktotals.h"
#include "typedvalue.h"
#include "variantorder.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QIcon>
#include <QLocale>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class CatalogueDocument;
class CatalogueSearch;
struct CatalogueChange;

// Every variant of the catalogue, a row each, with its price, stock and stock value. Rows
// are bound to their very variants, read from the catalogue as they are shown, and follow
// every change the document tells of; a sort, the filter and the low-stock threshold
// rearrange them as the layout of the same rows, so that views keep their selection.
class PriceListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    PriceListModel(CatalogueDocument &document, QObject *parent);
    ~PriceListModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Price and Stock take any value a file holds, as one step of the history; false, and
    // editRefused(), for anything else. Nothing is editable while the catalogue is read-only.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // A column below 0 leaves the rows in catalogue order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Shows only the variants the filter's search finds for `query`.
    void setFilter(const QString &query);
    // Rows with a stock at or below `threshold` are marked; with `only`, only they are shown.
    void setLowStock(unsigned int threshold, bool only);

    // The variant of `row`, and where the catalogue holds it; none once it has gone.
    struct Bound
    {
        Furniture *element = nullptr;
        VariantPlace place;
    };
    std::optional<Bound> variantAt(int row) const;
    // Where the catalogue holds the variants of `rows`; none when one of them has gone.
    std::optional<std::vector<VariantPlace>> placesAt(const std::vector<int> &rows) const;
    std::uint64_t serialAt(int row) const { return variants[shown[std::size_t(row)]].serial; }

    // The column of a stock count by scanning, after the catalogue's own.
    static constexpr int countedColumn = VariantOrder::ColumnCount;
    // One more of the variant of `row` counted; the counts, by serial number, until cleared.
    void addCount(int row);
    void clearCounts();
    std::vector<CountedStock> counts() const;

    // Of the rows shown.
    StockTotals totals() const;
    // The header line and `rows`, a line each, with the values of `columns` separated by
    // tabs: texts whole, numbers as a spreadsheet in the interface's language reads them.
    QString tabSeparated(const std::vector<int> &rows, const std::vector<int> &columns) const;

    enum Refusal { NotAValue, VariantGone };

    // The locale of the interface's language, for numbers and the order of texts.
    static QLocale interfaceLocale();
    static QString priceText(double price, const QLocale &numbers);

signals:
    // With NotAValue, `outcome` says what is wrong with the value.
    void editRefused(PriceListModel::Refusal why, int column, TypedValue::Outcome outcome);
    // The rows shown, or their values, changed.
    void totalsChanged();

private:
    void catalogueChanged(const CatalogueChange &change);
    void valuesChanged(const std::vector<std::uint64_t> &serials);
    // Arranges the rows anew as a change of layout: bound again to the catalogue with
    // `rebind`, sorted again with `resort`, and filtered again.
    void relayout(bool rebind, bool resort);
    void rebindRows();
    void filterRows();
    std::optional<std::uint32_t> rowOf(std::uint64_t serial) const;
    static bool isHeld(const ListedVariant &variant, const std::vector<Furniture *> &furnitures);
    bool isLow(const Form &form) const { return form.getStock() <= lowStock; }
    QString text(const ListedVariant &variant, int column, bool whole) const;
    QString countText(const ListedVariant &variant) const;
    // The text of a cell as shown, or `whole`; numbers written in `numbers`.
    QString cellText(const ListedVariant &variant, int column, const QLocale &numbers, bool whole) const;

    CatalogueDocument &document;
    // Every variant, in catalogue order; `order` their places in the sort; `shown` those
    // the filter lets through, in that order, one a row; `position` each one's row or -1.
    std::vector<ListedVariant> variants;
    std::vector<std::uint32_t> order;
    std::vector<std::uint32_t> shown;
    std::vector<std::int32_t> position;
    // The serial numbers of `variants` with their places, by serial.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> bySerial;
    // The price and stock of each of `variants`, so that the totals, which follow every
    // change, add up one compact array rather than reach into every element.
    struct Values
    {
        double price;
        unsigned int stock;
    };
    std::vector<Values> values;
    int sortColumn = -1;
    bool descending = false;
    QString query;
    // The filter's search over the catalogue as it was when made; made again after a change.
    std::unique_ptr<CatalogueSearch> search;
    unsigned int lowStock = 2;
    bool lowStockOnly = false;
    QCollator collator;
    QIcon lowStockIcon;
    const QLocale locale = interfaceLocale();
    std::unordered_map<std::uint64_t, unsigned int> counted;
};
