#pragma once

#include <QAbstractTableModel>

#include <vector>

struct ImportPreview;

// The changes of an import's preview, one a row: the identifier with a check box, ticked
// at first, and the price and stock before and after. An unchanged value has no "after".
class ImportChangesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Identifier, Price, NewPrice, Stock, NewStock, ColumnCount };

    explicit ImportChangesModel(QObject *parent = nullptr);

    // Shows `preview`'s changes, all ticked; the preview outlives its showing.
    void show(const ImportPreview &preview);
    // For each change, whether it is applied.
    const std::vector<bool> &ticked() const { return ticks; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ImportPreview *preview = nullptr;
    std::vector<bool> ticks;
};
