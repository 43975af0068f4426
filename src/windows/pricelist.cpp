#include "pricelist.h"
#include "ui_pricelist.h"

#include "catalogueexchange.h"
#include "fieldtext.h"
#include "cataloguedocument.h"
#include "pricelistcolumns.h"
#include "scantyping.h"
#include "valuedelegate.h"
#include "valuerefusal.h"
#include "valueschangedialogs.h"
#include "valuevalidator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSettings>
#include <QStyle>

#include <algorithm>
#include <climits>
#include <numeric>
#include <cstdint>

namespace {

const QString appTitle = QStringLiteral("Kälviö");
const QString lowStockKey = QStringLiteral("priceList/lowStock");
// Beyond this many values, a paste shows that it is busy.
const std::size_t busyPaste = 10000;
// The refused values a message lists before it counts the rest.
const std::size_t refusalsListed = 20;

} // namespace

PriceList::PriceList(CatalogueDocument &document, QWidget *parent)
    : QWidget(parent),
      ui(new Ui::PriceList),
      document(document),
      model(new PriceListModel(document, this)),
      rowMenu(new QMenu(this))
{
    ui->setupUi(this);
    QTableView *table = ui->tableViewVariants;
    table->setModel(model);
    auto *delegate = new ValueDelegate(this);
    table->setItemDelegate(delegate);
    // Rows of one height, drawn as they come into sight: no row's texts are made before.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->hide();
    columns = std::make_unique<PriceListColumns>(table);
    // A new order starts from its first row; other changes keep the row at the top.
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, table, &QTableView::scrollToTop);
    buildActions();
    buildHistoryButtons();
    ui->lineEditListFilter->installEventFilter(this);
    // A code scanned while the table has the keys goes to the filter.
    new ScanTyping(table, [this](const QString &code) {
        ui->lineEditListFilter->setText(code);
        findScanned();
    });

    ui->spinBoxLowStock->setValue(int(lowStockThreshold()));
    connect(ui->lineEditListFilter, &QLineEdit::textChanged, model, &PriceListModel::setFilter);
    connect(ui->spinBoxLowStock, &QSpinBox::valueChanged, this, &PriceList::lowStockChanged);
    connect(ui->checkBoxLowStockOnly, &QCheckBox::toggled, this, &PriceList::lowStockChanged);
    connect(table, &QAbstractItemView::activated, this, &PriceList::activate);
    connect(ui->pushButtonChangePrices, &QPushButton::clicked, this, &PriceList::changePrices);
    connect(ui->pushButtonSetStock, &QPushButton::clicked, this, &PriceList::changeStock);
    connect(ui->pushButtonLabels, &QPushButton::clicked, this, &PriceList::requestLabels);
    connect(ui->checkBoxCountMode, &QCheckBox::toggled, this, &PriceList::countModeChanged);
    connect(ui->pushButtonApplyCount, &QPushButton::clicked, this, &PriceList::applyCount);
    connect(ui->pushButtonClearCount, &QPushButton::clicked, this, &PriceList::clearCount);
    connect(model, &PriceListModel::totalsChanged, this, &PriceList::showTotals);
    connect(model, &PriceListModel::editRefused, this, &PriceList::editRefused);
    connect(delegate, &ValueDelegate::typingRefused, ui->labelMessage, [this](int, const QString &why) {
        ui->labelMessage->setText(why);
    });
    connect(delegate, &ValueDelegate::committedDown, this, &PriceList::moveDown);
    // A value taken clears what was said of one refused.
    connect(model, &QAbstractItemModel::dataChanged, ui->labelMessage, &QLabel::clear);
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, &PriceList::keepTopRow);
    connect(model, &QAbstractItemModel::layoutChanged, this, &PriceList::showTopRow);
    connect(&document, &CatalogueDocument::stateChanged, this, &PriceList::followReadOnly);
    lowStockChanged();
    countModeChanged();
    followReadOnly();
    showTotals();
    // The hands go to the table, at its first cell, as in a spreadsheet.
    table->setFocus();
    table->selectionModel()->setCurrentIndex(model->index(0, 0), QItemSelectionModel::NoUpdate);
}

PriceList::~PriceList()
{
    delete ui;
}

QAction *PriceList::addRowAction(const QString &text, const char *name, const QKeySequence &keys,
                                 void (PriceList::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ui->tableViewVariants->addAction(action);
    rowMenu->addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

// What a right click on a row offers, with the keys a spreadsheet gives them; Ctrl+W and
// Escape close the window.
void PriceList::buildActions()
{
    addRowAction(tr("&Open"), "actionListOpen", {}, &PriceList::openCurrent);
    addRowAction(tr("&Copy"), "actionListCopy", QKeySequence::Copy, &PriceList::copyRows);
    changing << addRowAction(tr("&Paste"), "actionListPaste", QKeySequence::Paste, &PriceList::paste)
             << addRowAction(tr("Fill &down"), "actionListFillDown", QKeySequence(Qt::CTRL | Qt::Key_D), &PriceList::fillDown);
    rowMenu->addSeparator();
    changing << addRowAction(tr("Change prices…"), "actionListChangePrices", {}, &PriceList::changePrices)
             << addRowAction(tr("Change stock…"), "actionListChangeStock", {}, &PriceList::changeStock);
    addRowAction(tr("Print labels…"), "actionListLabels", {}, &PriceList::requestLabels);
    ui->tableViewVariants->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableViewVariants, &QWidget::customContextMenuRequested, this, &PriceList::showRowMenu);

    auto *closing = new QAction(this);
    closing->setObjectName(QStringLiteral("actionListClose"));
    closing->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    addAction(closing);
    connect(closing, &QAction::triggered, this, &QWidget::close);
}

// Undo and Redo of the catalogue's history, named after their steps as the main window's
// are; their keys are the main window's, which work over every window.
void PriceList::buildHistoryButtons()
{
    QAction *undo = document.history().createUndoAction(this, tr("Undo"));
    undo->setObjectName(QStringLiteral("actionListUndo"));
    undo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    ui->toolButtonUndo->setDefaultAction(undo);
    QAction *redo = document.history().createRedoAction(this, tr("Redo"));
    redo->setObjectName(QStringLiteral("actionListRedo"));
    redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    ui->toolButtonRedo->setDefaultAction(redo);
}

// A right click on a row outside the selection selects it, as in a spreadsheet; within it,
// the selection stays and the cell clicked becomes the current one.
void PriceList::showRowMenu(const QPoint &at)
{
    QTableView *table = ui->tableViewVariants;
    const QModelIndex index = table->indexAt(at);
    if (!index.isValid())
        return;
    if (table->selectionModel()->isRowSelected(index.row()))
        table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else
        table->setCurrentIndex(index);
    rowMenu->popup(table->viewport()->mapToGlobal(at));
}

// A catalogue opened read-only takes no values from the list; the controls that would
// change one say why they are off.
void PriceList::followReadOnly()
{
    const bool readOnly = document.isReadOnly();
    const QString why = readOnly ? CatalogueExchange::readOnlyReason() : QString();
    for (QAction *action : std::as_const(changing)) {
        action->setEnabled(!readOnly);
        action->setToolTip(why);
    }
    for (QPushButton *button : { ui->pushButtonChangePrices, ui->pushButtonSetStock }) {
        button->setEnabled(!readOnly);
        button->setToolTip(why);
    }
    ui->pushButtonApplyCount->setToolTip(why);
    followCount();
    updateTitle();
}

// Escape closes the window where no cell is being edited: an edited cell takes it first.
void PriceList::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        close();
    else
        QWidget::keyPressEvent(event);
}

void PriceList::closeEvent(QCloseEvent *event)
{
    if (countedVariants > 0
        && QMessageBox::question(this, tr("Count by scanning"),
                                 tr("The count has not been applied. Close the list and lose it?"),
                                 QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel)
                   != QMessageBox::Discard) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

// In the filter, Undo and Redo take back its own typing first, as a text field does, and
// the catalogue's steps once it has none.
bool PriceList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lineEditListFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findScanned();
            return true;
        }
    }
    if (watched == ui->lineEditListFilter && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->matches(QKeySequence::Undo) && !ui->lineEditListFilter->isUndoAvailable())
            || (key->matches(QKeySequence::Redo) && !ui->lineEditListFilter->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// "shop* - Price and stock list - Kälviö", as the main window's title marks changes.
void PriceList::updateTitle()
{
    QString title = tr("Price and stock list") + QStringLiteral(" - ") + appTitle;
    QString marker = document.isModified() ? QStringLiteral("*") : QString();
    if (document.isReadOnly())
        marker = tr("%1 (read-only)").arg(marker);
    if (!document.jsonPath().isEmpty())
        title = QFileInfo(document.jsonPath()).fileName().section(u'.', 0, 0) + marker + QStringLiteral(" - ") + title;
    else if (!marker.isEmpty())
        title = marker + QStringLiteral(" - ") + title;
    setWindowTitle(title);
}

// "3 variants, 14 units in stock, stock value 5,310.00"
void PriceList::showTotals()
{
    const StockTotals totals = model->totals();
    const QLocale locale = PriceListModel::interfaceLocale();
    const int unitsForm = int(std::min<std::uint64_t>(totals.units, INT_MAX));
    ui->labelTotals->setText(tr("%1, %2, stock value %3")
                                     .arg(tr("%n variant(s)", nullptr, int(totals.variants)),
                                          tr("%1 unit(s) in stock", nullptr, unitsForm).arg(locale.toString(qulonglong(totals.units))),
                                          locale.toString(totals.value, 'f', 2)));
}

unsigned int PriceList::lowStockThreshold()
{
    return QSettings().value(lowStockKey, 2).toUInt();
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
        editRefused(PriceListModel::VariantGone, index.column(), TypedValue::Read);
}

void PriceList::openCurrent()
{
    activate(ui->tableViewVariants->currentIndex());
}

// One line a selected row, in the order shown, after a header line; tabs separate the
// values of the columns shown, in their order.
void PriceList::copyRows()
{
    QGuiApplication::clipboard()->setText(model->tabSeparated(selectedRows(), columns->shown()));
}

// Values copied from a spreadsheet go into the Price or Stock column: a single value (or
// row) into every selected row, lines of them into the rows from the current one down, in
// the order shown. Nothing changes unless every value can be used.
void PriceList::paste()
{
    const std::optional<TypedValue::Kind> kind = currentValueColumn();
    if (!kind)
        return;
    const std::vector<QStringList> cells = CatalogueOperations::pastedCells(QGuiApplication::clipboard()->text());
    const int current = ui->tableViewVariants->currentIndex().row();
    std::vector<int> rows;
    if (cells.size() == 1)
        rows = selectedRows();
    if (rows.empty())
        for (int row = current; row < (cells.size() == 1 ? current + 1 : model->rowCount()); ++row)
            rows.push_back(row);
    const std::size_t values = cells.size() == 1 ? rows.size() : cells.size();
    if (values > busyPaste)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([values] {
        if (values > busyPaste)
            QApplication::restoreOverrideCursor();
    });
    const std::optional<std::vector<VariantPlace>> places = placesOf(rows);
    if (!places)
        return;
    const PastedValues pasted = CatalogueOperations::pastedValues(document.catalogue(), *places, cells, *kind,
                                                                  ValueValidator::decimalMark());
    if (pasted.refusedAny()) {
        QMessageBox::warning(this, tr("Nothing pasted"), pasteRefusal(pasted, rows, cells.size()));
        return;
    }
    if (!pasted.values.empty())
        document.push(new ValuesCommand(document.catalogue(), pasted.values,
                                        tr("Paste into %n variant(s)", nullptr, int(pasted.values.size()))));
    ui->tableViewVariants->scrollTo(ui->tableViewVariants->currentIndex());
}

// Why a paste changed nothing: each value refused, with its row and reason.
QString PriceList::pasteRefusal(const PastedValues &pasted, const std::vector<int> &rows, std::size_t lines) const
{
    switch (pasted.outcome) {
    case PastedValues::TooManyRows:
        return tr("The clipboard holds %n line(s), more than the %1 rows shown from the current one down. "
                  "Nothing was pasted.", nullptr, int(lines))
                .arg(rows.size());
    case PastedValues::TooManyColumns:
        return tr("The clipboard holds more columns than the list takes from this one: a price and a stock, "
                  "or a stock alone. Nothing was pasted.");
    case PastedValues::Nothing:
        return tr("The clipboard holds no value to paste.");
    case PastedValues::Taken:
        break;
    }
    QStringList text { tr("Nothing was pasted: %n value(s) cannot be used.", nullptr, int(pasted.refused.size())) };
    for (std::size_t i = 0; i < std::min(refusalsListed, pasted.refused.size()); ++i) {
        const RefusedText &refused = pasted.refused[i];
        const int row = rows[refused.place];
        text << tr("Row %1, %2: \"%3\": %4")
                        .arg(row + 1)
                        .arg(model->index(row, VariantOrder::Identifier).data().toString(), refused.text,
                             ValueRefusal::reason(refused.why, refused.kind));
    }
    if (pasted.refused.size() > refusalsListed)
        text << tr("and %n more.", nullptr, int(pasted.refused.size() - refusalsListed));
    return text.join(u'\n');
}

// The topmost selected row's price or stock, whichever column the current cell is in, goes
// into the other selected rows.
void PriceList::fillDown()
{
    const std::optional<TypedValue::Kind> kind = currentValueColumn();
    if (!kind)
        return;
    const std::vector<int> rows = selectedRows();
    if (rows.size() < 2) {
        ui->labelMessage->setText(tr("Select the rows to fill, the first holding the value."));
        return;
    }
    const std::optional<std::vector<VariantPlace>> places = placesOf(rows);
    if (!places)
        return;
    const ChangedValues changed = CatalogueOperations::filledValues(document.catalogue(), *places, *kind);
    if (changed.refused())
        QMessageBox::warning(this, tr("Nothing filled"),
                             tr("The first value is past what a file holds: nothing was changed."));
    else if (!changed.values.empty())
        document.push(new ValuesCommand(document.catalogue(), changed.values,
                                        tr("Fill down %n variant(s)", nullptr, int(changed.values.size()))));
}

// The column of the current cell, where values may be pasted and filled; none, after
// saying so, elsewhere.
std::optional<TypedValue::Kind> PriceList::currentValueColumn()
{
    const int column = ui->tableViewVariants->currentIndex().column();
    if (column == VariantOrder::Price)
        return TypedValue::Price;
    if (column == VariantOrder::Stock)
        return TypedValue::Stock;
    ui->labelMessage->setText(tr("Choose a cell of the Price or Stock column first."));
    return std::nullopt;
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

// Where the catalogue holds the variants of `rows`; none, after saying so, when there are
// none or one of them has gone.
std::optional<std::vector<VariantPlace>> PriceList::placesOf(const std::vector<int> &rows)
{
    if (rows.empty()) {
        ui->labelMessage->setText(tr("Select the rows to change first."));
        return std::nullopt;
    }
    std::optional<std::vector<VariantPlace>> places = model->placesAt(rows);
    if (!places)
        editRefused(PriceListModel::VariantGone, 0, TypedValue::Read);
    return places;
}

void PriceList::changePrices()
{
    const std::optional<std::vector<VariantPlace>> places = placesOf(selectedRows());
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
    const std::optional<std::vector<VariantPlace>> places = placesOf(selectedRows());
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

void PriceList::editRefused(PriceListModel::Refusal why, int column, TypedValue::Outcome outcome)
{
    if (why == PriceListModel::VariantGone) {
        QMessageBox::warning(this, tr("Error"), tr("This furniture is no longer in the catalogue: nothing was changed."));
        return;
    }
    ui->labelMessage->setText(
            ValueRefusal::reason(outcome, column == VariantOrder::Price ? TypedValue::Price : TypedValue::Stock));
}

// Return took a typed value: the next row's cell of the same column is the current one, in
// sight, as in a spreadsheet.
void PriceList::moveDown()
{
    QTableView *table = ui->tableViewVariants;
    const QModelIndex below = model->index(table->currentIndex().row() + 1, table->currentIndex().column());
    if (below.isValid())
        table->setCurrentIndex(below);
    table->scrollTo(table->currentIndex());
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
    std::vector<int> rows(std::size_t(model->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return variantsAt(rows);
}

std::vector<ExportedVariant> PriceList::variantsAt(const std::vector<int> &rows) const
{
    std::vector<ExportedVariant> variants;
    variants.reserve(rows.size());
    for (const int row : rows)
        if (const std::optional<PriceListModel::Bound> bound = model->variantAt(row))
            variants.push_back({ bound->element, &bound->element->getForms()[bound->place.variant] });
    return variants;
}

// Return in the filter, as a scanner ends a code: the rows of that identifier are selected,
// the first one's stock current, so that a count is typed at once and Return again opens the
// editor; none is said, and the code is left selected for the next scan.
void PriceList::findScanned()
{
    const QString code = ui->lineEditListFilter->text().trimmed();
    if (code.isEmpty())
        return;
    QTableView *table = ui->tableViewVariants;
    QItemSelection found;
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, VariantOrder::Identifier).data().toString() == code)
            found.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
    if (found.isEmpty()) {
        ui->labelMessage->setText(tr("No variant %1").arg(code));
        ui->lineEditListFilter->setFocus(Qt::OtherFocusReason);
        ui->lineEditListFilter->selectAll();
        return;
    }
    if (ui->checkBoxCountMode->isChecked()) {
        countScanned(code, found);
        return;
    }
    const QModelIndex first = model->index(found.front().top(), VariantOrder::Stock);
    table->setFocus(Qt::OtherFocusReason);
    table->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    table->selectionModel()->select(found, QItemSelectionModel::ClearAndSelect);
    table->scrollTo(first);
}

// In a count, a scan adds one to its variant's count, and the filter holds the code selected
// for the next scan. An identifier that several variants carry is not counted: which of
// them was scanned cannot be told.
void PriceList::countScanned(const QString &code, const QItemSelection &found)
{
    ui->lineEditListFilter->setFocus(Qt::OtherFocusReason);
    ui->lineEditListFilter->selectAll();
    if (found.size() > 1 || found.front().height() > 1) {
        ui->tableViewVariants->selectionModel()->select(found, QItemSelectionModel::ClearAndSelect);
        ui->labelMessage->setText(tr("Several variants carry %1: it was not counted. Type their stock instead.").arg(code));
        return;
    }
    const int row = found.front().top();
    ui->tableViewVariants->selectionModel()->select(found, QItemSelectionModel::ClearAndSelect);
    model->addCount(row);
    countedVariants = model->counts().size();
    ui->labelMessage->setText(tr("Counted %1: %2").arg(code, model->index(row, PriceListModel::countedColumn).data().toString()));
    followCount();
}

// The counted column shows beside the stock while counting, or while a count waits.
void PriceList::countModeChanged()
{
    QHeaderView *header = ui->tableViewVariants->horizontalHeader();
    const bool shown = ui->checkBoxCountMode->isChecked() || countedVariants > 0;
    if (shown && header->isSectionHidden(PriceListModel::countedColumn))
        header->moveSection(header->visualIndex(PriceListModel::countedColumn),
                            header->visualIndex(VariantOrder::Stock) + 1);
    header->setSectionHidden(PriceListModel::countedColumn, !shown);
    if (ui->checkBoxCountMode->isChecked()) {
        ui->lineEditListFilter->setFocus(Qt::OtherFocusReason);
        ui->lineEditListFilter->selectAll();
    }
    followCount();
}

void PriceList::followCount()
{
    ui->pushButtonApplyCount->setEnabled(countedVariants > 0 && !document.isReadOnly());
    ui->pushButtonClearCount->setEnabled(countedVariants > 0);
}

// Every counted variant's stock becomes its count, as one step, once the user has seen each
// stock that changes.
void PriceList::applyCount()
{
    const ChangedValues changed = CatalogueOperations::countedStocks(document.catalogue(), model->counts());
    if (changed.refused()) {
        QMessageBox::warning(this, tr("Count by scanning"),
                             tr("A count is past what a file holds: nothing was changed."));
        return;
    }
    if (changed.values.empty()) {
        QMessageBox::information(this, tr("Count by scanning"), tr("Every count is the stock already: nothing changes."));
        clearCount();
        return;
    }
    const std::vector<Furniture *> &furnitures = document.catalogue().getFurnitures();
    QStringList lines { tr("Stocks that change: %1. Set them to the count?").arg(changed.values.size()) };
    for (std::size_t i = 0; i < std::min(refusalsListed, changed.values.size()); ++i) {
        const VariantValues &value = changed.values[i];
        const Form &form = furnitures[value.place.element]->getForms()[value.place.variant];
        lines << tr("%1: %2 → %3").arg(QString::fromStdString(form.getId()), FieldText::stock(form.getStock()),
                                       FieldText::stock(value.stock));
    }
    if (changed.values.size() > refusalsListed)
        lines << tr("and %n more.", nullptr, int(changed.values.size() - refusalsListed));
    if (QMessageBox::question(this, tr("Count by scanning"), lines.join(u'\n'), QMessageBox::Yes | QMessageBox::Cancel,
                              QMessageBox::Yes)
        != QMessageBox::Yes)
        return;
    document.push(new ValuesCommand(document.catalogue(), changed.values,
                                    tr("Stock count of %n variant(s)", nullptr, int(changed.values.size()))));
    clearCount();
}

void PriceList::clearCount()
{
    model->clearCounts();
    countedVariants = 0;
    countModeChanged();
}

void PriceList::requestLabels()
{
    const std::vector<int> rows = selectedRows();
    emit labelsRequested(rows.empty() ? shownVariants() : variantsAt(rows));
}

void PriceList::setExportMenu(QMenu *menu)
{
    ui->toolButtonExport->setMenu(menu);
}
