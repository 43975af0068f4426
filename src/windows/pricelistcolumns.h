#pragma once

#include <QObject>

#include <vector>

class QAction;
class QMenu;
class QPoint;
class QTableView;

// The price list's columns as the user arranges them: a menu of them with check boxes on a
// right click on the header, none narrower than its title, and which are shown, their
// order and widths kept from one list to the next.
class PriceListColumns : public QObject
{
    Q_OBJECT

public:
    explicit PriceListColumns(QTableView *table);
    // Keeps the arrangement for the next list.
    ~PriceListColumns() override;

    // The columns shown, in the order shown.
    std::vector<int> shown() const;

private:
    void restore();
    void widenToTitle(int column);
    void stretchName(int, int widthBeyondSight);
    void showMenu(const QPoint &at);
    void checkShown();
    void showColumn(QAction *column);

    QTableView *table;
    // A check box a column.
    QMenu *menu;
};
