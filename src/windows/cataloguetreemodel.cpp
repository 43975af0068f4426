#include "cataloguetreemodel.h"

#include "fieldtext.h"

#include <QList>

#include <algorithm>
#include <numeric>

// Builds the whole tree detached in one pass, grouping elements under their category in
// order of first appearance, and only then hands it to the model.
CatalogueTreeModel::CatalogueTreeModel(std::vector<ShownElement> shownElements, QObject *parent)
    : QStandardItemModel(parent), shown(std::move(shownElements))
{
    setHorizontalHeaderLabels({ QString() });
    QList<QStandardItem *> categoryRows;
    std::unordered_map<std::string, QStandardItem *> categoryItems;
    for (std::size_t entry = 0; entry < shown.size(); ++entry) {
        const Furniture *furniture = shown[entry].element;
        auto [category, isNew] = categoryItems.try_emplace(furniture->getCategory(), nullptr);
        if (isNew) {
            category->second = new QStandardItem(shownText(furniture->getCategory()));
            categoryRows.append(category->second);
        }
        auto *element = new QStandardItem(shownText(furniture->getName()));
        element->appendRows(variantRows(shown[entry]));
        category->second->appendRow(element);
        elementRows.emplace(element, entry);
        variants += shown[entry].variants.size();
    }
    invisibleRootItem()->appendRows(categoryRows);
}

QList<QStandardItem *> CatalogueTreeModel::variantRows(const ShownElement &element)
{
    QList<QStandardItem *> rows;
    rows.reserve(qsizetype(element.variants.size()));
    for (std::size_t place : element.variants)
        rows.append(new QStandardItem(shownText(element.element->getForms()[place].getId())));
    return rows;
}

// The element rows stay, with their unfolding; only their variant rows are made again.
void CatalogueTreeModel::showVariantsOf(const std::vector<const Furniture *> &elements)
{
    for (const auto &[row, entry] : elementRows) {
        ShownElement &element = shown[entry];
        if (std::find(elements.begin(), elements.end(), element.element) == elements.end())
            continue;
        variants -= element.variants.size();
        element.variants.resize(element.element->getForms().size());
        std::iota(element.variants.begin(), element.variants.end(), std::size_t(0));
        variants += element.variants.size();
        row->removeRows(0, row->rowCount());
        row->appendRows(variantRows(element));
    }
}

QString CatalogueTreeModel::shownText(const std::string &text)
{
    if (text.size() <= std::size_t(maxShownLength))
        return QString::fromStdString(text);
    // No character takes more than four bytes, so this prefix holds enough of them.
    const std::size_t prefix = std::min(text.size(), std::size_t(4 * maxShownLength));
    QString shownPart = QString::fromUtf8(text.data(), qsizetype(prefix));
    if (shownPart.size() <= maxShownLength && prefix == text.size())
        return shownPart;
    shownPart.truncate(shownPart.at(maxShownLength - 1).isHighSurrogate() ? maxShownLength - 1 : maxShownLength);
    return shownPart + QChar(0x2026);
}

CatalogueTreeModel::Variant CatalogueTreeModel::variantAt(const QModelIndex &index) const
{
    const QStandardItem *item = itemFromIndex(index);
    const auto element = elementRows.find(item ? item->parent() : nullptr);
    if (element == elementRows.end())
        return {};
    const ShownElement &entry = shown[element->second];
    const std::vector<Form> &forms = entry.element->getForms();
    const auto row = std::size_t(index.row());
    if (row >= entry.variants.size() || entry.variants[row] >= forms.size()
        || shownText(forms[entry.variants[row]].getId()) != item->text())
        return {};
    return { entry.element, entry.variants[row] };
}

Furniture *CatalogueTreeModel::elementAt(const QModelIndex &index) const
{
    const auto element = elementRows.find(itemFromIndex(index));
    return element == elementRows.end() ? nullptr : shown[element->second].element;
}

QModelIndexList CatalogueTreeModel::variantsWithId(const std::string &id) const
{
    QModelIndexList found;
    for (int category = 0; category < rowCount(); ++category) {
        const QModelIndex categoryIndex = index(category, 0);
        for (int element = 0; element < rowCount(categoryIndex); ++element) {
            const QModelIndex elementIndex = index(element, 0, categoryIndex);
            for (int row = 0; row < rowCount(elementIndex); ++row) {
                const QModelIndex variantIndex = index(row, 0, elementIndex);
                const Variant variant = variantAt(variantIndex);
                if (variant.element && variant.element->getForms()[variant.place].getId() == id)
                    found << variantIndex;
            }
        }
    }
    return found;
}

QModelIndex CatalogueTreeModel::firstVariant() const
{
    for (int category = 0; category < rowCount(); ++category) {
        const QModelIndex categoryIndex = index(category, 0);
        for (int element = 0; element < rowCount(categoryIndex); ++element) {
            const QModelIndex elementIndex = index(element, 0, categoryIndex);
            if (rowCount(elementIndex) > 0)
                return index(0, 0, elementIndex);
        }
    }
    return {};
}

QVariant CatalogueTreeModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ToolTipRole)
        return QStandardItemModel::data(index, role);
    const Variant variant = variantAt(index);
    if (!variant.element)
        return {};
    const Form &form = variant.element->getForms()[variant.place];
    return QStringList({ tr("Colour: %1").arg(shownText(form.getColor())),
                         tr("Price: %1").arg(FieldText::price(form.getPrice())),
                         tr("Stock: %1").arg(FieldText::stock(form.getStock())) })
            .join(u'\n');
}
