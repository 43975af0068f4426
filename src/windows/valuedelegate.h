#pragma once

#include <QStyledItemDelegate>

// Edits the price list's prices and stocks as a spreadsheet's cells: what cannot be used
// stays as typed and is not committed, with the reason in the field's tooltip; Return
// commits and asks to move down a row, Tab commits and moves right.
class ValueDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ValueDelegate(QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

signals:
    // Return took the value, or left the one stored as it stood.
    void committedDown();
    // Why the text in the cell at `column` cannot be used; empty once it can.
    void typingRefused(int column, const QString &why);

protected:
    bool eventFilter(QObject *editor, QEvent *event) override;
};
