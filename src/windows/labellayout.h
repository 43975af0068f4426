#pragma once

#include "barcode.h"
#include "cataloguetable.h"
#include "labelsheet.h"
#include "photocache.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// What each label shows.
struct LabelFields
{
    bool name = true;
    bool colour = true;
    bool price = true;
    bool identifier = true;
    bool barcode = true;
    bool photo = false;
};

struct LabelOptions
{
    LabelSheet sheet = LabelSheet::common().front();
    // The first place of the first sheet to use, from 1, so that a sheet half used is used up.
    int first = 1;
    // Labels a variant, or, from stock, its stock's number of them.
    int copies = 1;
    bool copiesFromStock = false;
    LabelFields fields;
    Barcode::Kind barcode = Barcode::Code128;
    // The sign printed with each price, as the shop writes it.
    QString currency;
};

// Price labels of variants on sheets of labels: each label with the variant's name, colour,
// price, identifier, barcode and photo as asked. Texts are elided to the label's width, and
// the price is made smaller rather than cut. A Code 128 that would need modules narrower
// than scanners read is left out, and the preview says so on the label.
class LabelLayout
{
    Q_DECLARE_TR_FUNCTIONS(LabelLayout)

public:
    // More labels than this at once is taken as a mistake (a stock in thousands).
    static constexpr std::size_t maxLabels = 100000;
    // The narrowest module that a shop's scanner reads from an ordinary print.
    static constexpr double minModule = 0.25;

    LabelLayout(std::vector<ExportedVariant> variants, LabelOptions options);

    std::size_t labelCount() const;
    std::size_t pageCount() const;
    // The variants whose barcode does not fit their label at the narrowest module.
    std::size_t barcodesLeftOut();
    const LabelSheet &sheet() const;

    // Paints every page onto `device`, calling `progress` with the labels laid out so far
    // after each page; when it returns false, stops and returns false.
    bool paint(QPagedPaintDevice &device, const std::function<bool(std::size_t done)> &progress);
    // Paints page `page` (from 0) with `dotsPerMm` device units a millimetre; a preview also
    // outlines the labels and says where a barcode was left out.
    void paintPage(QPainter &painter, double dotsPerMm, std::size_t page, bool preview);

private:
    void paintLabel(QPainter &painter, const QRectF &box, double dotsPerMm, const ExportedVariant &label,
                    bool preview);
    const Barcode &barcodeOf(const ExportedVariant &label);
    // Where the barcode goes in a label's `inner` room, and the module it gets there.
    static QRectF codeBox(const QRectF &inner, Barcode::Kind kind, double dotsPerMm);
    static double codeModule(const Barcode &code, const QRectF &box, double dotsPerMm);

    std::vector<ExportedVariant> variants;
    LabelOptions options;
    // For each variant, the labels of it and of those before it.
    std::vector<std::size_t> ends;
    // The barcode last made: a variant's copies follow each other.
    const Form *coded = nullptr;
    Barcode code { Barcode::Code128, {} };
    PhotoCache photos;
};
