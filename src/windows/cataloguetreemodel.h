#pragma once

#include "cataloguesearch.h"

#include <QStandardItemModel>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// The catalogue as the tree shows it: category rows, the rows of their elements, and the
// identifiers of the variants shown under each element. A variant row knows the very
// variant it shows, and tells its colour, price and stock as its tooltip.
class CatalogueTreeModel : public QStandardItemModel
{
    Q_OBJECT

public:
    CatalogueTreeModel(std::vector<ShownElement> shown, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The element and the place in its variants of the variant at `index`; no element
    // for any other row, or when the catalogue no longer holds that variant there.
    struct Variant
    {
        Furniture *element = nullptr;
        std::size_t place = 0;
    };
    Variant variantAt(const QModelIndex &index) const;
    // The element of an element row; none for any other row.
    Furniture *elementAt(const QModelIndex &index) const;
    // The rows of the variants whose identifier is `id`, in the tree's order.
    QModelIndexList variantsWithId(const std::string &id) const;
    // The first variant row, or an invalid index when there is none.
    QModelIndex firstVariant() const;
    std::size_t variantCount() const { return variants; }
    // Shows again every variant of each of `elements`, which kept their places.
    void showVariantsOf(const std::vector<const Furniture *> &elements);

    // A stored text as a row shows it: cut after `maxShownLength` characters, as longer
    // texts make every repaint crawl; the record keeps it whole.
    static QString shownText(const std::string &text);
    static constexpr int maxShownLength = 1000;

private:
    static QList<QStandardItem *> variantRows(const ShownElement &element);

    std::vector<ShownElement> shown;
    // The entry of `shown` each element row shows.
    std::unordered_map<QStandardItem *, std::size_t> elementRows;
    std::size_t variants = 0;
};
