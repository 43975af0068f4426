#include "pricelist.h"
#include "ui_pricelist.h"

#include "cataloguedocument.h"
#include "typingvalidator.h"
#include "valueschangedialogs.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>

namespace {

const QString appTitle = QStringLiteral("Kälviö");
const QString lowStockKey = QStringLiteral("priceList/lowStock");

// Edits prices and stocks under the editor's typing rules. Return on what the rules do
// not accept yet keeps the cell in edit, and says why.
class ValueDelegate : public QStyledItemDelegate
{
public:
    ValueDelegate(std::function<void(int column)> refused, QObject *parent)
        : QStyledItemDelegate(parent), refused(std::move(refused))
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *field = new QLineEdit(parent);
        field->setFrame(false);
        field->setValidator(index.column() == VariantOrder::Price ? TypingValidator::forPrice(field)
                                                                  : TypingValidator::forStock(field));
        field->setProperty("column", index.column());
        return field;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *field = static_cast<QLineEdit *>(editor);
        const QString stored = index.data(Qt::EditRole).toString();
        field->findChild<TypingValidator *>()->admit(stored);
        field->setText(stored);
    }

protected:
    bool eventFilter(QObject *editor, QEvent *event) override
    {
        const auto *field = qobject_cast<QLineEdit *>(editor);
        if (field && event->type() == QEvent::KeyPress && !field->hasAcceptableInput()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                refused(field->property("column").toInt());
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    std::function<void(int column)> refused;
};

} // namespace

PriceList::PriceList(CatalogueDocument &document, QWidget *parent)
    : QWidget(parent), ui(new Ui::PriceList), document(document), model(new PriceListModel(document, this))
{
    ui->setupUi(this);
    QTableView *table = ui->tableViewVariants;
    table->setModel(model);
    table->setItemDelegate(new ValueDelegate([this](int column) { editRefused(PriceListModel::NotAValue, column); }, this));
    // Rows of one height, drawn as they come into sight: no row's texts are made before.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(VariantOrder::Name, QHeaderView::Stretch);
    // Catalogue order until a header is clicked; the first click sorts up, the next down.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    // A new order starts from its first row; other changes keep the row at the top.
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, table, &QTableView::scrollToTop);

    auto *copy = new QAction(this);
    copy->setShortcuts(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    table->addAction(copy);
    connect(copy, &QAction::triggered, this, &PriceList::copyRows);

    ui->spinBoxLowStock->setValue(QSettings().value(lowStockKey, 2).toInt());
    connect(ui->lineEditListFilter, &QLineEdit::textChanged, model, &PriceListModel::setFilter);
    connect(ui->spinBoxLowStock, &QSpinBox::valueChanged, this, &PriceList::lowStockChanged);
    connect(ui->checkBoxLowStockOnly, &QCheckBox::toggled, this, &PriceList::lowStockChanged);
    connect(table, &QAbstractItemView::activated, this, &PriceList::activate);
    connect(ui->pushButtonChangePrices, &QPushButton::clicked, this, &PriceList::changePrices);
    connect(ui->pushButtonSetStock, &QPushButton::clicked, this, &PriceList::changeStock);
    connect(model, &PriceListModel::totalsChanged, this, &PriceList::showTotals);
    connect(model, &PriceListModel::editRefused, this, &PriceList::editRefused);
    // A value taken clears what was said of one refused.
    connect(model, &QAbstractItemModel::dataChanged, ui->labelMessage, &QLabel::clear);
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, &PriceList::keepTopRow);
    connect(model, &QAbstractItemModel::layoutChanged, this, &PriceList::showTopRow);
    connect(&document, &CatalogueDocument::stateChanged, this, &PriceList::updateTitle);
    lowStockChanged();
    updateTitle();
    showTotals();
}

PriceList::~PriceList()
{
    delete ui;
}

// "shop* - Price and stock list - Kälviö", as the main window's title marks changes.
void PriceList::updateTitle()
{
    QString title = tr("Price and stock list") + QStringLiteral(" - ") + appTitle;
    const QString marker = document.isModified() ? QStringLiteral("*") : QString();
    if (!document.jsonPath().isEmpty())
        title = QFileInfo(document.jsonPath()).fileName().section(u'.', 0, 0) + marker + QStringLiteral(" - ") + title;
    else if (!marker.isEmpty())
        title = marker + QStringLiteral(" - ") + title;
    setWindowTitle(title);
}

// "3 variants, 14 units in stock, stock value 5,310.00"
void PriceList::showTotals()
{
    const PriceListModel::Totals totals = model->totals();
    const QLocale locale = PriceListModel::interfaceLocale();
    const int unitsForm = int(std::min<std::uint64_t>(totals.units, INT_MAX));
    ui->labelTotals->setText(tr("%1, %2, stock value %3")
                                     .arg(tr("%n variant(s)", nullptr, int(totals.variants)),
                                          tr("%1 unit(s) in stock", nullptr, unitsForm).arg(locale.toString(qulonglong(totals.units))),
                                          locale.toString(totals.value, 'f', 2)));
}

void PriceList::lowStockChanged()
{
    QSettings().setValue(lowStockKey, ui->spinBoxLowStock->value());
    model->setLowStock(unsigned(ui->spinBoxLowStock->value()), ui->checkBoxLowStockOnly->isChecked());
}

// Return on any row, or a double-click on a cell not edited in place: the editor opens on
// the row's very variant.
void PriceList::activate(const QModelIndex &index)
{
    if (const std::optional<PriceListModel::Bound> bound = model->variantAt(index.row()))
        emit variantActivated(bound->element, bound->place.variant);
    else
        editRefused(PriceListModel::VariantGone, index.column());
}

// One line a selected row, in the order shown, after a header line; tabs separate the values.
void PriceList::copyRows()
{
    QGuiApplication::clipboard()->setText(model->tabSeparated(selectedRows()));
}

std::vector<int> PriceList::selectedRows() const
{
    // From the ranges of the selection: asking each row whether it is selected takes long.
    std::vector<int> rows;
    for (const QItemSelectionRange &range : ui->tableViewVariants->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// Where the catalogue holds the selected rows' variants; none, after saying so, when one
// of them has gone.
std::optional<std::vector<VariantPlace>> PriceList::selectedPlaces()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        ui->labelMessage->setText(tr("Select the rows to change first."));
        return std::nullopt;
    }
    std::optional<std::vector<VariantPlace>> places = model->placesAt(rows);
    if (!places)
        editRefused(PriceListModel::VariantGone, 0);
    return places;
}

void PriceList::changePrices()
{
    const std::optional<std::vector<VariantPlace>> places = selectedPlaces();
    if (!places)
        return;
    PriceChangeDialog question(document.catalogue(), *places, this);
    if (question.exec() != QDialog::Accepted)
        return;
    const ChangedValues changed = question.outcome();
    if (!changed.refused() && !changed.values.empty())
        document.push(new ValuesCommand(document.catalogue(), changed.values,
                                        tr("Prices of %n variant(s)", nullptr, int(changed.values.size()))));
}

void PriceList::changeStock()
{
    const std::optional<std::vector<VariantPlace>> places = selectedPlaces();
    if (!places)
        return;
    StockChangeDialog question(document.catalogue(), *places, this);
    if (question.exec() != QDialog::Accepted)
        return;
    const ChangedValues changed = question.outcome();
    if (!changed.refused() && !changed.values.empty())
        document.push(new ValuesCommand(document.catalogue(), changed.values,
                                        tr("Stock of %n variant(s)", nullptr, int(changed.values.size()))));
}

void PriceList::editRefused(PriceListModel::Refusal why, int column)
{
    if (why == PriceListModel::VariantGone) {
        QMessageBox::warning(this, tr("Error"), tr("This furniture is no longer in the catalogue: nothing was changed."));
        return;
    }
    ui->labelMessage->setText(column == VariantOrder::Price
                                      ? tr("A price has at most four digits, and two decimals after \".\" or \",\".")
                                      : tr("A stock is a whole number of at most five digits, and at most %1.")
                                                .arg(CatalogueOperations::maxStock));
}

void PriceList::keepTopRow()
{
    topRow = ui->tableViewVariants->indexAt(QPoint(0, 0));
}

void PriceList::showTopRow()
{
    if (topRow.isValid())
        ui->tableViewVariants->scrollTo(topRow, QAbstractItemView::PositionAtTop);
    topRow = QPersistentModelIndex();
}

std::vector<ExportedVariant> PriceList::shownVariants() const
{
    std::vector<ExportedVariant> shown;
    shown.reserve(std::size_t(model->rowCount()));
    for (int row = 0; row < model->rowCount(); ++row)
        if (const std::optional<PriceListModel::Bound> bound = model->variantAt(row))
            shown.push_back({ bound->element, &bound->element->getForms()[bound->place.variant] });
    return shown;
}

void PriceList::setExportMenu(QMenu *menu)
{
    ui->toolButtonExport->setMenu(menu);
}
