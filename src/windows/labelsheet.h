#pragma once

#include <QCoreApplication>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

// A sheet of labels as its maker sells it: the page, the labels' size, and the margins and
// gaps that place them. Everything is in millimetres from the page's top left corner, so that
// what is printed lands on the labels whatever the printer's resolution.
class LabelSheet
{
    Q_DECLARE_TR_FUNCTIONS(LabelSheet)

public:
    LabelSheet(QString name, QSizeF page, int columns, int rows, QSizeF label, QPointF margin, QSizeF gap);

    // The common sheets of A4 and Letter labels.
    static std::vector<LabelSheet> common();
    // A label printer's roll: one label a page, of `label`'s size.
    static LabelSheet onePerPage(QSizeF label);

    const QString &name() const;
    QSizeF labelSize() const;
    int perPage() const;
    // Where the label at `place` of a page lies, counted along the rows from the top left.
    QRectF label(int place) const;
    // The page, without margins: the labels' places are measured from its corner.
    QPageLayout pageLayout() const;

private:
    QString sheetName;
    QSizeF page;
    int columns;
    int rows;
    QSizeF size;
    QPointF margin;
    QSizeF gap;
};
