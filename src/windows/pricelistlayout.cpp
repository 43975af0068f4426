#include "pricelistlayout.h"

#include "measurestext.h"
#include "pricelistmodel.h"


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

// Where the next line goes on the page being laid out, and the page's measures. The
// first pass only counts the pages: it measures as the second paints, and paints nothing.
struct PriceListLayout::Page
{
    Page(QPagedPaintDevice &device, QPainter &painter) : device(device), painter(painter) {}

    // Paints `text` into `box`, cut to its width unless it wraps.
    void text(const QRect &box, int flags, const QString &text, const QFont &font, const QColor &colour = Qt::black)
    {
        if (!painter.isActive())
            return;
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(box, flags,
                         flags & Qt::TextWordWrap
                                 ? text
                                 : QFontMetrics(font, &device).elidedText(text, Qt::ElideRight, box.width()));
    }

    QPagedPaintDevice &device;
    QPainter &painter;
    double mm = 1;
    int width = 0;
    int bottom = 0;
    int y = 0;
    int number = 0;
    int count = 0;
    QFont body, bold, heading, title, small;
};

PriceListLayout::PriceListLayout(std::vector<ExportedVariant> variants, QString catalogueName, bool showStock)
    : variants(std::move(variants)), catalogueName(std::move(catalogueName)), showStock(showStock)
{
}

bool PriceListLayout::paint(QPagedPaintDevice &device, const std::function<bool(std::size_t)> &progress)
{
    QPainter painter;
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
    // Every page says how many there are, which only a first pass knows.
    if (!layOut(page, [&progress](std::size_t done) { return progress(done); }))
        return false;
    page.count = page.number;
    page.number = 0;
    if (!painter.begin(&device))
        return false;
    const std::size_t counted = variants.size();
    const bool whole = layOut(page, [&progress, counted](std::size_t done) { return progress(counted + done); });
    painter.end();
    return whole && progress(progressSteps());
}

// Lays out every variant, calling `progress` now and then with the number laid out, and
// stops when it returns false.
bool PriceListLayout::layOut(Page &page, const std::function<bool(std::size_t)> &progress)
{
    // While counting, no page ends to call it.
    constexpr std::size_t countingStep = 1000;
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
        const bool report = page.painter.isActive() ? page.number != pageBefore : i % countingStep == 0;
        if (report && !progress(i))
            return false;
    }
    return true;
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
    if (page.number > 0 && page.painter.isActive())
        page.device.newPage();
    ++page.number;
    page.text(QRect(0, page.bottom, page.width, int(10 * page.mm)), Qt::AlignCenter,
              tr("Page %1 of %2").arg(page.number).arg(page.count), page.small, Qt::darkGray);
    page.y = 0;
    if (page.number == 1) {
        const int titleHeight = QFontMetrics(page.title, &page.device).height();
        page.text(QRect(0, 0, page.width, titleHeight), Qt::AlignLeft, title(catalogueName), page.title);
        page.y += titleHeight;
        const int line = QFontMetrics(page.body, &page.device).height();
        page.text(QRect(0, page.y, page.width, line), Qt::AlignLeft,
                  PriceListModel::interfaceLocale().toString(QDate::currentDate(), QLocale::LongFormat), page.body);
        page.y += line + int(4 * page.mm);
    }
    // The labels of the variants' columns head every page.
    const int line = QFontMetrics(page.small, &page.device).height();
    const int photoWidth = int(12 * page.mm);
    page.text(QRect(photoWidth, page.y, page.width / 3, line), Qt::AlignLeft, column(CatalogueTable::Identifier),
              page.small, Qt::darkGray);
    page.text(QRect(photoWidth + page.width / 4, page.y, page.width / 3, line), Qt::AlignLeft,
              column(CatalogueTable::Colour), page.small, Qt::darkGray);
    page.text(QRect(0, page.y, page.width * 3 / 4, line), Qt::AlignRight, column(CatalogueTable::Price), page.small,
              Qt::darkGray);
    if (showStock)
        page.text(QRect(0, page.y, page.width, line), Qt::AlignRight, column(CatalogueTable::Stock), page.small,
                  Qt::darkGray);
    page.y += line + int(1 * page.mm);
}

void PriceListLayout::drawCategory(Page &page, const QString &category)
{
    const int height = QFontMetrics(page.heading, &page.device).height();
    // A heading stays with at least an element and a variant below it.
    if (page.y + height + int(30 * page.mm) > page.bottom)
        startPage(page);
    page.y += int(2 * page.mm);
    page.text(QRect(0, page.y, page.width, height), Qt::AlignLeft, category, page.heading);
    page.y += height + int(1 * page.mm);
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
    page.y += int(1.5 * page.mm);
    page.text(QRect(0, page.y, page.width, bold.height()), Qt::AlignLeft, text(element.getName()), page.bold);
    page.y += bold.height();
    if (!description.isEmpty()) {
        page.text(QRect(0, page.y, page.width, descriptionBox.height()), Qt::TextWordWrap, description, page.body);
        page.y += descriptionBox.height();
    }
    page.text(QRect(0, page.y, page.width, body.height()), Qt::AlignLeft, details, page.body, Qt::darkGray);
    page.y += body.height() + int(1 * page.mm);
}

void PriceListLayout::drawVariant(Page &page, const Form &variant)
{
    const int photoSize = int(10 * page.mm);
    const int height = photoSize + int(1 * page.mm);
    if (page.y + height > page.bottom)
        startPage(page);
    page.y += height;
    if (!page.painter.isActive())
        return;
    const int top = page.y - height;
    const QImage picture = photos.photo(variant.getPhoto(), photoSize);
    if (!picture.isNull())
        page.painter.drawImage(QPoint(0, top), picture);
    const int photoWidth = int(12 * page.mm);
    const int middle = Qt::AlignVCenter;
    const QLocale numbers = PriceListModel::interfaceLocale();
    page.text(QRect(photoWidth, top, page.width / 4 - int(2 * page.mm), photoSize), Qt::AlignLeft | middle,
              text(variant.getId()), page.body);
    page.text(QRect(photoWidth + page.width / 4, top, page.width / 4, photoSize), Qt::AlignLeft | middle,
              text(variant.getColor()), page.body);
    page.text(QRect(0, top, page.width * 3 / 4, photoSize), Qt::AlignRight | middle,
              priceText(variant.getPrice(), numbers), page.body);
    if (showStock)
        page.text(QRect(0, top, page.width, photoSize), Qt::AlignRight | middle, numbers.toString(variant.getStock()),
                  page.body);
}

// The price in the interface language's form, with the currency sign where one is set,
// placed as the language places it ("59,90 €", "€59.90").
QString PriceListLayout::priceText(double price, const QLocale &numbers) const
{
    if (currency.isEmpty())
        return PriceListModel::priceText(price, numbers);
    const bool cents = QString::number(price, 'f', 2).toDouble() == price;
    return numbers.toCurrencyString(price, currency, cents ? 2 : QLocale::FloatingPointShortest);
}
