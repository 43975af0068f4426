#include "importchangesmodel.h"

#include "priceimport.h"
#include "pricelistmodel.h"

ImportChangesModel::ImportChangesModel(QObject *parent) : QAbstractTableModel(parent) {}

void ImportChangesModel::show(const ImportPreview &shown)
{
    beginResetModel();
    preview = &shown;
    ticks.assign(shown.changes.size(), true);
    endResetModel();
}

int ImportChangesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !preview ? 0 : int(preview->changes.size());
}

int ImportChangesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportChangesModel::data(const QModelIndex &index, int role) const
{
    const ImportedChange &change = preview->changes[std::size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Identifier)
        return ticks[std::size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() != Identifier)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const QLocale locale = PriceListModel::interfaceLocale();
    const auto price = [&locale](double price) { return locale.toString(price, 'f', 2); };
    switch (Column(index.column())) {
    case Identifier:
        return QString::fromStdString(change.id);
    case Price:
        return price(change.oldPrice);
    case NewPrice:
        return change.newPrice != change.oldPrice ? price(change.newPrice) : QString();
    case Stock:
        return locale.toString(change.oldStock);
    case NewStock:
        return change.newStock != change.oldStock ? locale.toString(change.newStock) : QString();
    case ColumnCount:
        break;
    }
    return {};
}

bool ImportChangesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Identifier)
        return false;
    ticks[std::size_t(index.row())] = value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

Qt::ItemFlags ImportChangesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == Identifier ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant ImportChangesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString names[] = { tr("Identifier"), tr("Price"), tr("New price"), tr("Stock"), tr("New stock") };
    return section < ColumnCount ? names[section] : QVariant();
}
