#include "labelsheet.h"

#include <QPageSize>

LabelSheet::LabelSheet(QString name, QSizeF page, int columns, int rows, QSizeF label, QPointF margin, QSizeF gap)
    : sheetName(std::move(name)), page(page), columns(columns), rows(rows), size(label), margin(margin), gap(gap)
{
}

std::vector<LabelSheet> LabelSheet::common()
{
    const QSizeF a4(210, 297), letter(215.9, 279.4);
    return {
        { tr("A4, 3 × 8 labels of 70 × 37 mm"), a4, 3, 8, { 70, 37 }, { 0, 0.5 }, { 0, 0 } },
        { tr("A4, 3 × 7 labels of 70 × 42.3 mm"), a4, 3, 7, { 70, 42.3 }, { 0, 0.45 }, { 0, 0 } },
        { tr("A4, 2 × 7 labels of 99.1 × 38.1 mm"), a4, 2, 7, { 99.1, 38.1 }, { 4.65, 15.15 }, { 2.5, 0 } },
        { tr("A4, 4 × 10 labels of 48.5 × 25.4 mm"), a4, 4, 10, { 48.5, 25.4 }, { 8, 21.5 }, { 0, 0 } },
        // Letter sheets are measured in inches: 2⅝ × 1 in, margins of 3/16 and 1/2 in, gaps of 1/8 in.
        { tr("Letter, 3 × 10 labels of 66.7 × 25.4 mm"), letter, 3, 10, { 66.675, 25.4 }, { 4.7625, 12.7 }, { 3.175, 0 } },
    };
}

LabelSheet LabelSheet::onePerPage(QSizeF label)
{
    return { tr("One label per page"), label, 1, 1, label, { 0, 0 }, { 0, 0 } };
}

const QString &LabelSheet::name() const
{
    return sheetName;
}

QSizeF LabelSheet::labelSize() const
{
    return size;
}

int LabelSheet::perPage() const
{
    return columns * rows;
}

QRectF LabelSheet::label(int place) const
{
    const int column = place % columns, row = place / columns;
    return { margin.x() + column * (size.width() + gap.width()), margin.y() + row * (size.height() + gap.height()),
             size.width(), size.height() };
}

QPageLayout LabelSheet::pageLayout() const
{
    const QPageLayout::Orientation orientation =
            page.width() > page.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    // A page size is given upright; a label wider than high turns it.
    const QSizeF upright = orientation == QPageLayout::Landscape ? page.transposed() : page;
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter), orientation, QMarginsF(), QPageLayout::Millimeter);
}
