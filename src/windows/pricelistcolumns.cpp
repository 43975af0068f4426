#include "pricelistcolumns.h"

#include "variantorder.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>

namespace {

// The header's state: which columns are shown, in which order, how wide.
const QString columnsKey = QStringLiteral("priceList/columns");

} // namespace

PriceListColumns::PriceListColumns(QTableView *table) : table(table), menu(new QMenu(table))
{
    QHeaderView *header = table->horizontalHeader();
    restore();
    // Once the header has laid its sections out.
    connect(header, &QHeaderView::sectionResized, this, &PriceListColumns::widenToTitle, Qt::QueuedConnection);
    connect(table->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &PriceListColumns::stretchName);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, &PriceListColumns::showMenu);
    menu->setObjectName(QStringLiteral("menuColumns"));
    // The catalogue's columns; a stock count's shows while counting.
    for (int column = 0; column < VariantOrder::ColumnCount; ++column) {
        QAction *action = menu->addAction(table->model()->headerData(column, Qt::Horizontal).toString());
        action->setCheckable(true);
        action->setData(column);
    }
    connect(menu, &QMenu::aboutToShow, this, &PriceListColumns::checkShown);
    connect(menu, &QMenu::triggered, this, &PriceListColumns::showColumn);
}

PriceListColumns::~PriceListColumns()
{
    QSettings().setValue(columnsKey, table->horizontalHeader()->saveState());
}

std::vector<int> PriceListColumns::shown() const
{
    const QHeaderView *header = table->horizontalHeader();
    std::vector<int> columns;
    for (int place = 0; place < header->count(); ++place)
        if (const int column = header->logicalIndex(place); !header->isSectionHidden(column))
            columns.push_back(column);
    return columns;
}

// The columns as last left, else those the list showed before others could be; never none.
// Sorted by none of them.
void PriceListColumns::restore()
{
    QHeaderView *header = table->horizontalHeader();
    const QByteArray built = header->saveState();
    if (!header->restoreState(QSettings().value(columnsKey).toByteArray())
        || header->hiddenSectionCount() == header->count()) {
        header->restoreState(built);
        for (int column = 0; column < header->count(); ++column)
            header->setSectionHidden(column, column > VariantOrder::StockValue);
    }
    header->setSectionResizeMode(VariantOrder::Name, QHeaderView::Stretch);
    // Catalogue order until a header is clicked, whatever sort the header remembers; the
    // first click sorts up, the next down.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    // Titles now leave room for the sort indicator.
    for (int column = 0; column < header->count(); ++column)
        widenToTitle(column);
}

// The header keeps no minimum width of its own for each column. Name takes the room the
// others leave, but where that would squeeze it below its title, it keeps its title's width
// until every column fits again, and the table scrolls.
void PriceListColumns::widenToTitle(int column)
{
    QHeaderView *header = table->horizontalHeader();
    const int title = header->sectionSizeHint(column);
    if (header->sectionSize(column) >= title)
        return;
    if (column == VariantOrder::Name)
        header->setSectionResizeMode(column, QHeaderView::Interactive);
    header->resizeSection(column, title);
}

void PriceListColumns::stretchName(int, int widthBeyondSight)
{
    if (widthBeyondSight == 0)
        table->horizontalHeader()->setSectionResizeMode(VariantOrder::Name, QHeaderView::Stretch);
}

void PriceListColumns::showMenu(const QPoint &at)
{
    menu->popup(table->horizontalHeader()->viewport()->mapToGlobal(at));
}

// The last column shown cannot be hidden.
void PriceListColumns::checkShown()
{
    const QHeaderView *header = table->horizontalHeader();
    const bool lastShown = header->count() - header->hiddenSectionCount() == 1;
    for (QAction *action : menu->actions()) {
        action->setChecked(!header->isSectionHidden(action->data().toInt()));
        action->setEnabled(!(lastShown && action->isChecked()));
    }
}

void PriceListColumns::showColumn(QAction *column)
{
    table->horizontalHeader()->setSectionHidden(column->data().toInt(), !column->isChecked());
}
