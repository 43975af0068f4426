#pragma once

#include <QAbstractTableModel>

struct ImportPreview;
struct UnreadRow;

// The rows of an import file that change nothing, one a row: the line, the column and why,
// naming the value ("not a number: x").
class ImportRefusalsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Line, Field, Why, ColumnCount };

    explicit ImportRefusalsModel(QObject *parent = nullptr);

    // Shows `preview`'s rows; the preview outlives its showing.
    void show(const ImportPreview &preview);

    // The column a row is refused for, empty where it is the whole row.
    static QString field(const UnreadRow &row);
    static QString why(const UnreadRow &row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ImportPreview *preview = nullptr;
};
