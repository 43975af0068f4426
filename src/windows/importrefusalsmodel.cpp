#include "importrefusalsmodel.h"

#include "priceimport.h"
#include "pricelistmodel.h"

ImportRefusalsModel::ImportRefusalsModel(QObject *parent) : QAbstractTableModel(parent) {}

void ImportRefusalsModel::show(const ImportPreview &shown)
{
    beginResetModel();
    preview = &shown;
    endResetModel();
}

QString ImportRefusalsModel::field(const UnreadRow &row)
{
    switch (row.reason) {
    case UnreadRow::NoIdentifier:
    case UnreadRow::UnknownIdentifier:
        return tr("Identifier");
    case UnreadRow::RefusedPrice:
        return tr("Price");
    case UnreadRow::RefusedStock:
        return tr("Stock");
    case UnreadRow::BrokenQuote:
        break;
    }
    return {};
}

QString ImportRefusalsModel::why(const UnreadRow &row)
{
    const QString value = QString::fromStdString(row.value);
    const QLocale locale = PriceListModel::interfaceLocale();
    switch (row.reason) {
    case UnreadRow::BrokenQuote:
        return tr("a quote that does not open or close a field");
    case UnreadRow::NoIdentifier:
        return tr("no identifier");
    case UnreadRow::UnknownIdentifier:
        return tr("not in the catalogue: %1").arg(value);
    case UnreadRow::RefusedPrice:
    case UnreadRow::RefusedStock:
        break;
    }
    switch (row.why) {
    case TypedValue::Read:
    case TypedValue::Empty:
    case TypedValue::NotANumber:
        break;
    case TypedValue::Negative:
        return tr("negative: %1").arg(value);
    case TypedValue::TooManyDecimals:
        return row.decimals == 3 ? tr("three decimals: %1").arg(value)
                                 : tr("%n decimals: %1", nullptr, row.decimals).arg(value);
    case TypedValue::NotWhole:
        return tr("a stock has no decimals: %1").arg(value);
    case TypedValue::TooLarge:
        return tr("above %1: %2")
                .arg(row.reason == UnreadRow::RefusedPrice ? locale.toString(TypedValue::maxPrice, 'f', 2)
                                                           : locale.toString(TypedValue::maxStock),
                     value);
    }
    return tr("not a number: %1").arg(value);
}

int ImportRefusalsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !preview ? 0 : int(preview->unreadRows.size());
}

int ImportRefusalsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportRefusalsModel::data(const QModelIndex &index, int role) const
{
    const UnreadRow &row = preview->unreadRows[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() == Line)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (Column(index.column())) {
    case Line:
        return QString::number(row.line);
    case Field:
        return field(row);
    case Why:
        return why(row);
    case ColumnCount:
        break;
    }
    return {};
}

QVariant ImportRefusalsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString names[] = { tr("Line"), tr("Column"), tr("Why") };
    return section < ColumnCount ? names[section] : QVariant();
}
