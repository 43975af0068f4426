#pragma once

#include "cataloguetable.h"
#include "photocache.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// The price list as pages, for a PDF or a printer: a title with the catalogue's name and
// the date, categories as headings, each element with its description, designer and
// measures, then its variants with identifier, colour, price, a small photo where one is
// found, and the stock if asked for; "Page N of M" at the foot of every page. Pages are
// painted one after the other, so that memory does not grow with their number.
class PriceListLayout
{
    Q_DECLARE_TR_FUNCTIONS(PriceListLayout)

public:
    PriceListLayout(std::vector<ExportedVariant> variants, QString catalogueName, bool showStock);

    // Paints every page onto `device`, calling `progress` now and then with the steps done,
    // of progressSteps(); when it returns false, stops and returns false.
    bool paint(QPagedPaintDevice &device, const std::function<bool(std::size_t done)> &progress);

    // Each variant is laid out twice: once to count the pages, once to paint them.
    std::size_t progressSteps() const { return 2 * variants.size(); }
    // The currency sign printed with every price; none by default.
    void setCurrency(const QString &sign) { currency = sign; }
    // The title of the price list of the catalogue `name`.
    static QString title(const QString &name);
    // The name a printed file is proposed under: the title without the characters that
    // file systems of other computers refuse.
    static QString fileName(const QString &name);

private:
    struct Page;
    bool layOut(Page &page, const std::function<bool(std::size_t)> &progress);
    void startPage(Page &page);
    void drawElement(Page &page, const Furniture &element);
    void drawVariant(Page &page, const Form &variant);
    void drawCategory(Page &page, const QString &category);
    QString priceText(double price, const QLocale &numbers) const;

    std::vector<ExportedVariant> variants;
    QString catalogueName;
    bool showStock;
    QString currency;
    PhotoCache photos;
};
