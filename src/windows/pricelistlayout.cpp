#include "pricelistlayout.h"

#include "measurestext.h"
#include "pricelistmodel.h"

#include "fieldtext.h"

#include <QDate>
#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Descriptions longer than this are cut, so that one element never outgrows a page.
constexpr int maxDescription = 600;

QString text(const std::string &text)
{
    return QString::fromStdString(text);
}

// The variants' labels, as the exports name their columns.
QString column(CatalogueTable::Column column)
{
    return QCoreApplication::translate("CatalogueTable", CatalogueTable::columnNames[column]);
}

} // namespace

// Where the next line goes on the page being painted, and the page's measures.
struct PriceListLayout::Page
{
    Page(QPagedPaintDevice &device, QPainter &painter) : device(device), painter(painter) {}

    QPagedPaintDevice &device;
    QPainter &painter;
    double mm = 1;
    int width = 0;
    int bottom = 0;
    int y = 0;
    int number = 0;
    QFont body, bold, heading, title, small;
};

PriceListLayout::PriceListLayout(std::vector<ExportedVariant> variants, QString catalogueName, bool showStock)
    : variants(std::move(variants)), catalogueName(std::move(catalogueName)), showStock(showStock)
{
}

bool PriceListLayout::paint(QPagedPaintDevice &device, const std::function<bool(std::size_t)> &progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    Page page(device, painter);
    page.mm = device.logicalDpiY() / 25.4;
    page.width = device.width();
    page.bottom = device.height() - int(10 * page.mm);
    page.body = QFont(QStringLiteral("DejaVu Sans"), 9);
    page.bold = page.body;
    page.bold.setBold(true);
    page.heading = QFont(page.body.family(), 14, QFont::Bold);
    page.title = QFont(page.body.family(), 18, QFont::Bold);
    page.small = QFont(page.body.family(), 8);
    startPage(page);

    const Furniture *element = nullptr;
    const std::string *category = nullptr;
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const ExportedVariant &each = variants[i];
        const int pageBefore = page.number;
        if (!category || *category != each.element->getCategory()) {
            category = &each.element->getCategory();
            drawCategory(page, text(*category));
            element = nullptr;
        }
        if (each.element != element) {
            element = each.element;
            drawElement(page, *element);
        }
        drawVariant(page, *each.variant);
        if (page.number != pageBefore && !progress(i)) {
            painter.end();
            return false;
        }
    }
    painter.end();
    return progress(variants.size());
}

QString PriceListLayout::title(const QString &name)
{
    return tr("Price list: %1").arg(name);
}

QString PriceListLayout::fileName(const QString &name)
{
    QString proposed = tr("Price list - %1").arg(name);
    for (const QChar refused : QStringLiteral(":/\\?*|<>\""))
        proposed.replace(refused, u'_');
    return proposed;
}

void PriceListLayout::startPage(Page &page)
{
    if (page.number > 0)
        page.device.newPage();
    ++page.number;
    QPainter &painter = page.painter;
    painter.setFont(page.small);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRect(0, page.bottom, page.width, int(10 * page.mm)), Qt::AlignCenter,
                     tr("Page %1").arg(page.number));
    painter.setPen(Qt::black);
    page.y = 0;
    if (page.number == 1) {
        painter.setFont(page.title);
        const int titleHeight = QFontMetrics(page.title, &page.device).height();
        painter.drawText(QRect(0, 0, page.width, titleHeight), Qt::AlignLeft, title(catalogueName));
        page.y += titleHeight;
        painter.setFont(page.body);
        const int line = QFontMetrics(page.body, &page.device).height();
        painter.drawText(QRect(0, page.y, page.width, line), Qt::AlignLeft,
                         PriceListModel::interfaceLocale().toString(QDate::currentDate(), QLocale::LongFormat));
        page.y += line + int(4 * page.mm);
    }
    // The labels of the variants' columns head every page.
    painter.setFont(page.small);
    painter.setPen(Qt::darkGray);
    const int line = QFontMetrics(page.small, &page.device).height();
    const int photoWidth = int(12 * page.mm);
    painter.drawText(QRect(photoWidth, page.y, page.width / 3, line), Qt::AlignLeft, column(CatalogueTable::Identifier));
    painter.drawText(QRect(photoWidth + page.width / 4, page.y, page.width / 3, line), Qt::AlignLeft, column(CatalogueTable::Colour));
    painter.drawText(QRect(0, page.y, page.width * 3 / 4, line), Qt::AlignRight, column(CatalogueTable::Price));
    if (showStock)
        painter.drawText(QRect(0, page.y, page.width, line), Qt::AlignRight, column(CatalogueTable::Stock));
    painter.setPen(Qt::black);
    page.y += line + int(1 * page.mm);
}

void PriceListLayout::drawCategory(Page &page, const QString &category)
{
    const QFontMetrics metrics(page.heading, &page.device);
    // A heading stays with at least an element and a variant below it.
    if (page.y + metrics.height() + int(30 * page.mm) > page.bottom)
        startPage(page);
    page.y += int(2 * page.mm);
    page.painter.setFont(page.heading);
    page.painter.drawText(QRect(0, page.y, page.width, metrics.height()), Qt::AlignLeft,
                          metrics.elidedText(category, Qt::ElideRight, page.width));
    page.y += metrics.height() + int(1 * page.mm);
}

void PriceListLayout::drawElement(Page &page, const Furniture &element)
{
    QString description = text(element.getDesc()).simplified();
    if (description.size() > maxDescription)
        description = description.left(maxDescription) + QChar(0x2026);
    QString measures = MeasuresText::of(element.getDim());
    if (!measures.isEmpty())
        measures[0] = measures[0].toUpper();
    const QString details = tr("Designer: %1").arg(text(element.getDesigner())) + QStringLiteral("   ") + measures;
    const QFontMetrics bold(page.bold, &page.device), body(page.body, &page.device);
    const QRect descriptionBox = description.isEmpty()
            ? QRect()
            : body.boundingRect(QRect(0, 0, page.width, page.bottom), Qt::TextWordWrap, description);
    const int height = bold.height() + descriptionBox.height() + body.height() + int(10 * page.mm);
    if (page.y + height > page.bottom)
        startPage(page);
    QPainter &painter = page.painter;
    page.y += int(1.5 * page.mm);
    painter.setFont(page.bold);
    painter.drawText(QRect(0, page.y, page.width, bold.height()), Qt::AlignLeft,
                     bold.elidedText(text(element.getName()), Qt::ElideRight, page.width));
    page.y += bold.height();
    painter.setFont(page.body);
    if (!description.isEmpty()) {
        painter.drawText(QRect(0, page.y, page.width, descriptionBox.height()), Qt::TextWordWrap, description);
        page.y += descriptionBox.height();
    }
    painter.setPen(Qt::darkGray);
    painter.drawText(QRect(0, page.y, page.width, body.height()), Qt::AlignLeft,
                     body.elidedText(details, Qt::ElideRight, page.width));
    painter.setPen(Qt::black);
    page.y += body.height() + int(1 * page.mm);
}

void PriceListLayout::drawVariant(Page &page, const Form &variant)
{
    const int photoSize = int(10 * page.mm);
    const int height = photoSize + int(1 * page.mm);
    if (page.y + height > page.bottom)
        startPage(page);
    QPainter &painter = page.painter;
    const QImage picture = photos.photo(variant.getPhoto(), photoSize);
    if (!picture.isNull())
        painter.drawImage(QPoint(0, page.y), picture);
    const int photoWidth = int(12 * page.mm);
    const QFontMetrics body(page.body, &page.device);
    const QRect row(photoWidth, page.y, page.width - photoWidth, photoSize);
    painter.setFont(page.body);
    painter.drawText(QRect(row.left(), row.top(), page.width / 4 - int(2 * page.mm), row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     body.elidedText(text(variant.getId()), Qt::ElideRight, page.width / 4 - int(2 * page.mm)));
    painter.drawText(QRect(row.left() + page.width / 4, row.top(), page.width / 4, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     body.elidedText(text(variant.getColor()), Qt::ElideRight, page.width / 4));
    painter.drawText(QRect(0, row.top(), page.width * 3 / 4, row.height()), Qt::AlignRight | Qt::AlignVCenter,
                     PriceListModel::interfaceLocale().toString(variant.getPrice(), 'f', 2));
    if (showStock)
        painter.drawText(QRect(0, row.top(), page.width, row.height()), Qt::AlignRight | Qt::AlignVCenter,
                         FieldText::stock(variant.getStock()));
    page.y += height;
}
