#include "pricelistmodel.h"

#include "cataloguedocument.h"
#include "cataloguesearch.h"
#include "cataloguetable.h"
#include "cataloguetreemodel.h"
#include "fieldtext.h"
#include "valuevalidator.h"

#include <QApplication>
#include <QTextDocument>
#include <QColor>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace {

const QColor lowStockBackground(255, 224, 178);
// Beyond this many rows, one change of values repaints the span that holds them all.
const std::size_t rowsRepaintedOneByOne = 64;

} // namespace

PriceListModel::PriceListModel(CatalogueDocument &document, QObject *parent)
    : QAbstractTableModel(parent),
      document(document),
      collator(interfaceLocale()),
      lowStockIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
{
    connect(&document, &CatalogueDocument::changed, this, &PriceListModel::catalogueChanged);
    rebindRows();
    filterRows();
}

PriceListModel::~PriceListModel() = default;

// The translator names the locale of the interface's language: its numbers, and the
// order of its texts.
QLocale PriceListModel::interfaceLocale()
{
    return QLocale(tr("en_US", "the locale of the interface language"));
}

int PriceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown.size());
}

int PriceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : countedColumn + 1;
}

QString PriceListModel::countText(const ListedVariant &variant) const
{
    const auto count = counted.find(variant.serial);
    return count == counted.end() ? QString() : locale.toString(count->second);
}

void PriceListModel::addCount(int row)
{
    ++counted[serialAt(row)];
    emit dataChanged(index(row, countedColumn), index(row, countedColumn));
}

void PriceListModel::clearCounts()
{
    counted.clear();
    if (!shown.empty())
        emit dataChanged(index(0, countedColumn), index(rowCount() - 1, countedColumn));
}

std::vector<CountedStock> PriceListModel::counts() const
{
    std::vector<CountedStock> all;
    all.reserve(counted.size());
    for (const auto &[serial, count] : counted)
        all.push_back({ serial, count });
    return all;
}

// The stored value as an editor's field shows it; unless `whole`, long texts cut as rows cut them.
QString PriceListModel::text(const ListedVariant &variant, int column, bool whole) const
{
    const Form &form = variant.form();
    const auto shownText = [whole](const std::string &text) {
        return whole ? QString::fromStdString(text) : CatalogueTreeModel::shownText(text);
    };
    switch (column) {
    case countedColumn:
        return countText(variant);
    case VariantOrder::Identifier:
        return shownText(form.getId());
    case VariantOrder::Category:
        return shownText(variant.element->getCategory());
    case VariantOrder::Name:
        return shownText(variant.element->getName());
    case VariantOrder::Colour:
        return shownText(form.getColor());
    case VariantOrder::Price:
        return FieldText::price(form.getPrice());
    case VariantOrder::Stock:
        return FieldText::stock(form.getStock());
    case VariantOrder::StockValue:
        return QString::number(form.getPrice() * form.getStock(), 'f', 2);
    case VariantOrder::Designer:
        return shownText(variant.element->getDesigner());
    case VariantOrder::Description:
        return shownText(variant.element->getDesc());
    default:
        return shownText(VariantOrder::measure(variant, VariantOrder::Column(column)));
    }
}

namespace {

// A measure that is a plain number ("1234.50"), digit for digit in the locale's form.
QString measureText(const std::string &measure, const QLocale &numbers)
{
    const QString text = QString::fromStdString(measure);
    const qsizetype point = text.indexOf(u'.');
    const QString units = numbers.toString(text.left(point).toULongLong());
    return point < 0 ? units : units + numbers.decimalPoint() + text.mid(point + 1);
}

// Line breaks as spaces, so that a long text is cut to the column's width on one line.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return text;
}

} // namespace

// Two decimals, or every digit the price needs where two would round it.
QString PriceListModel::priceText(double price, const QLocale &numbers)
{
    const bool cents = QString::number(price, 'f', 2).toDouble() == price;
    return numbers.toString(price, 'f', cents ? 2 : QLocale::FloatingPointShortest);
}

QString PriceListModel::cellText(const ListedVariant &variant, int column, const QLocale &numbers, bool whole) const
{
    const Form &form = variant.form();
    switch (column) {
    case countedColumn:
        return countText(variant);
    case VariantOrder::Price:
        return priceText(form.getPrice(), numbers);
    case VariantOrder::Stock:
        return numbers.toString(form.getStock());
    case VariantOrder::StockValue:
        return numbers.toString(form.getPrice() * form.getStock(), 'f', 2);
    case VariantOrder::Description:
        return whole ? text(variant, column, true) : oneLine(text(variant, column, false));
    default:
        if (column >= VariantOrder::Length && VariantOrder::measureNumber(variant, VariantOrder::Column(column)))
            return measureText(VariantOrder::measure(variant, VariantOrder::Column(column)), numbers);
        return text(variant, column, whole);
    }
}

QVariant PriceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= shown.size())
        return {};
    const ListedVariant &variant = variants[shown[std::size_t(index.row())]];
    const bool low = isLow(variant.form());
    const int column = index.column();
    const bool number = (column >= VariantOrder::Price && column <= VariantOrder::StockValue) || column >= VariantOrder::Length;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(variant, column, locale, false);
    case Qt::EditRole:
        // A price with the interface language's decimal mark, every digit of it, nothing grouped.
        if (column == VariantOrder::Price)
            return text(variant, column, true).replace(u'.', locale.decimalPoint());
        return text(variant, column, true);
    case Qt::TextAlignmentRole:
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::DecorationRole:
        return low && column == VariantOrder::Stock ? QVariant(lowStockIcon) : QVariant();
    case Qt::BackgroundRole:
        return low ? QVariant(lowStockBackground) : QVariant();
    case Qt::ForegroundRole:
        return low ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::ToolTipRole:
        // The description, up to where rows cut a text, as rich text: so that it wraps, and
        // none of it is read as markup.
        if (column == VariantOrder::Description && !variant.element->getDesc().empty())
            return Qt::convertFromPlainText(text(variant, column, false));
        return low ? QVariant(tr("Low stock: %1 or fewer").arg(locale.toString(lowStock))) : QVariant();
    default:
        return {};
    }
}

QVariant PriceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::InitialSortOrderRole)
        return Qt::AscendingOrder;
    if (role != Qt::DisplayRole || section < 0 || section > countedColumn)
        return {};
    if (section == countedColumn)
        return tr("Counted");
    if (section >= VariantOrder::Designer) {
        // The exports name these columns already.
        const CatalogueTable::Column exported[] = { CatalogueTable::Designer, CatalogueTable::Description,
                                                    CatalogueTable::Length,   CatalogueTable::Height,
                                                    CatalogueTable::Width,    CatalogueTable::Weight };
        return QCoreApplication::translate("CatalogueTable",
                                           CatalogueTable::columnNames[exported[section - VariantOrder::Designer]]);
    }
    const QString titles[] = { tr("Identifier"), tr("Category"), tr("Name"), tr("Colour"),
                               tr("Price"),      tr("Stock"),    tr("Stock value") };
    return titles[section];
}

// Prices and stocks, unless the catalogue was opened read-only.
Qt::ItemFlags PriceListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const bool editable = (index.column() == VariantOrder::Price || index.column() == VariantOrder::Stock)
            && !document.isReadOnly();
    return editable ? flags | Qt::ItemIsEditable : flags;
}

// What is typed is read as every typed, pasted or imported value is, over the range a file
// holds; a stored value past it, shown whole, is taken back as it stands.
bool PriceListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || std::size_t(index.row()) >= shown.size())
        return false;
    const int column = index.column();
    const std::optional<Bound> bound = variantAt(index.row());
    if (!bound) {
        emit editRefused(VariantGone, column, TypedValue::Read);
        return false;
    }
    const QString typed = value.toString();
    if (typed == index.data(Qt::EditRole).toString())
        return true;
    const TypedValue::Kind kind = column == VariantOrder::Price ? TypedValue::Price : TypedValue::Stock;
    const TypedValue::Reading reading = ValueValidator(kind, kind == TypedValue::Stock, nullptr).reading(typed);
    if (!reading.read()) {
        emit editRefused(NotAValue, column, reading.outcome);
        return false;
    }
    const Form &form = bound->element->getForms()[bound->place.variant];
    VariantValues values { bound->place, form.getPrice(), form.getStock() };
    if (kind == TypedValue::Price)
        values.price = reading.value;
    else
        values.stock = static_cast<unsigned int>(reading.value);
    if (values.price == form.getPrice() && values.stock == form.getStock())
        return true;
    const QString id = QString::fromStdString(form.getId());
    document.push(new ValuesCommand(document.catalogue(), { values },
                                    kind == TypedValue::Price ? tr("Price of %1").arg(id) : tr("Stock of %1").arg(id)));
    return true;
}

void PriceListModel::sort(int column, Qt::SortOrder order)
{
    sortColumn = column < VariantOrder::ColumnCount ? column : -1;
    descending = order == Qt::DescendingOrder;
    relayout(false, true);
}

void PriceListModel::setFilter(const QString &text)
{
    query = text;
    relayout(false, false);
}

void PriceListModel::setLowStock(unsigned int threshold, bool only)
{
    const bool rearranged = only || lowStockOnly;
    lowStock = threshold;
    lowStockOnly = only;
    if (rearranged)
        relayout(false, false);
    else if (!shown.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, VariantOrder::ColumnCount - 1));
}

std::optional<PriceListModel::Bound> PriceListModel::variantAt(int row) const
{
    const std::optional<std::vector<VariantPlace>> places = placesAt({ row });
    if (!places)
        return std::nullopt;
    return Bound { variants[shown[std::size_t(row)]].element, places->front() };
}

std::optional<std::vector<VariantPlace>> PriceListModel::placesAt(const std::vector<int> &rows) const
{
    const std::vector<Furniture *> furnitures = document.catalogue().getFurnitures();
    std::vector<VariantPlace> places;
    places.reserve(rows.size());
    for (int row : rows) {
        if (row < 0 || std::size_t(row) >= shown.size() || !isHeld(variants[shown[std::size_t(row)]], furnitures))
            return std::nullopt;
        const ListedVariant &variant = variants[shown[std::size_t(row)]];
        places.push_back({ variant.elementPlace, variant.variant });
    }
    return places;
}

// Whether the catalogue still holds the variant where the row was bound to it.
bool PriceListModel::isHeld(const ListedVariant &variant, const std::vector<Furniture *> &furnitures)
{
    return variant.elementPlace < furnitures.size() && furnitures[variant.elementPlace] == variant.element
            && variant.variant < variant.element->getForms().size() && variant.form().getSerial() == variant.serial;
}

std::optional<std::uint32_t> PriceListModel::rowOf(std::uint64_t serial) const
{
    const auto found = std::lower_bound(bySerial.begin(), bySerial.end(), std::make_pair(serial, std::uint32_t(0)));
    if (found == bySerial.end() || found->first != serial)
        return std::nullopt;
    return found->second;
}

StockTotals PriceListModel::totals() const
{
    StockTotals totals;
    for (std::uint32_t row : shown)
        totals.add(values[row].price, values[row].stock);
    return totals;
}

QString PriceListModel::tabSeparated(const std::vector<int> &rows, const std::vector<int> &columns) const
{
    const auto line = [](QStringList cells) {
        for (QString &cell : cells)
            cell.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        return cells.join(u'\t') + u'\n';
    };
    // No group separators, which a spreadsheet would read as text.
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    QStringList header;
    for (int column : columns)
        header << headerData(column, Qt::Horizontal).toString();
    QString text = line(header);
    for (int row : rows) {
        QStringList cells;
        for (int column : columns)
            cells << cellText(variants[shown[std::size_t(row)]], column, numbers, true);
        text += line(cells);
    }
    return text;
}

// Any change may change what the filter finds; only a change of more than values moves rows.
void PriceListModel::catalogueChanged(const CatalogueChange &change)
{
    search.reset();
    if (change.scope != CatalogueChange::Values)
        relayout(true, true);
    else
        valuesChanged(change.variants);
}

// Rows stay where they are until the user sorts or filters again, as in a spreadsheet:
// a value typed, pasted or filled never moves its row away from under the hand.
void PriceListModel::valuesChanged(const std::vector<std::uint64_t> &serials)
{
    std::vector<int> rows;
    for (std::uint64_t serial : serials) {
        const std::optional<std::uint32_t> row = rowOf(serial);
        if (!row)
            continue;
        const Form &form = variants[*row].form();
        values[*row] = { form.getPrice(), form.getStock() };
        if (position[*row] >= 0)
            rows.push_back(position[*row]);
    }
    const int lastColumn = VariantOrder::ColumnCount - 1;
    if (rows.size() <= rowsRepaintedOneByOne) {
        for (int row : rows)
            emit dataChanged(index(row, 0), index(row, lastColumn));
    } else {
        const auto [first, last] = std::minmax_element(rows.begin(), rows.end());
        emit dataChanged(index(*first, 0), index(*last, lastColumn));
    }
    emit totalsChanged();
}

// Persistent indexes (a view's selection, its current row) follow their variants to
// where they are shown now, or are dropped where they are not shown any more.
void PriceListModel::relayout(bool rebind, bool resort)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint64_t> kept;
    kept.reserve(std::size_t(before.size()));
    for (const QModelIndex &index : before)
        kept.push_back(index.isValid() && std::size_t(index.row()) < shown.size() ? serialAt(index.row()) : 0);
    if (rebind)
        rebindRows();
    else if (resort) {
        std::iota(order.begin(), order.end(), 0);
        if (sortColumn >= 0)
            VariantOrder::sort(order, variants, VariantOrder::Column(sortColumn), descending, collator);
    }
    filterRows();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const std::optional<std::uint32_t> row = rowOf(kept[std::size_t(i)]);
        after << (row && position[*row] >= 0 ? index(position[*row], before[i].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit totalsChanged();
}

void PriceListModel::rebindRows()
{
    variants = listedVariants(document.catalogue());
    bySerial.resize(variants.size());
    values.resize(variants.size());
    for (std::size_t row = 0; row < variants.size(); ++row) {
        bySerial[row] = { variants[row].serial, std::uint32_t(row) };
        values[row] = { variants[row].form().getPrice(), variants[row].form().getStock() };
    }
    std::sort(bySerial.begin(), bySerial.end());
    order.resize(variants.size());
    std::iota(order.begin(), order.end(), 0);
    if (sortColumn >= 0)
        VariantOrder::sort(order, variants, VariantOrder::Column(sortColumn), descending, collator);
}

// The variants the search finds are under their elements in catalogue order, as the rows are.
void PriceListModel::filterRows()
{
    const bool filtering = !query.trimmed().isEmpty();
    std::vector<char> found;
    if (filtering) {
        if (!search)
            search = std::make_unique<CatalogueSearch>(document.catalogue());
        found.assign(variants.size(), 0);
        std::size_t first = 0;
        for (const ShownElement &element : search->find(query)) {
            while (first < variants.size() && variants[first].element != element.element)
                ++first;
            for (std::size_t variant : element.variants)
                if (first + variant < variants.size())
                    found[first + variant] = 1;
        }
    }
    shown.clear();
    for (std::uint32_t row : order)
        if ((!filtering || found[row]) && (!lowStockOnly || isLow(variants[row].form())))
            shown.push_back(row);
    position.assign(variants.size(), -1);
    for (std::size_t row = 0; row < shown.size(); ++row)
        position[shown[row]] = std::int32_t(row);
}
