#include "labellayout.h"

#include "pricelistmodel.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

QString text(const std::string &text)
{
    return QString::fromStdString(text);
}

// The widest module worth printing: wider ones only make the symbol longer.
double widestModule(Barcode::Kind kind)
{
    return kind == Barcode::Code128 ? 0.5 : 1.0;
}

} // namespace

LabelLayout::LabelLayout(std::vector<ExportedVariant> variants, LabelOptions options)
    : variants(std::move(variants)), options(std::move(options))
{
    this->options.first = std::clamp(this->options.first, 1, this->options.sheet.perPage());
    // Counting stops past the most labels laid out at once, so that no stock overflows it.
    std::size_t total = 0;
    ends.reserve(this->variants.size());
    for (const ExportedVariant &each : this->variants) {
        const std::size_t copies = this->options.copiesFromStock ? each.variant->getStock()
                                                                 : std::size_t(std::max(0, this->options.copies));
        total = std::min(total + copies, maxLabels + 1);
        ends.push_back(total);
    }
}

std::size_t LabelLayout::labelCount() const
{
    return ends.empty() ? 0 : ends.back();
}

std::size_t LabelLayout::pageCount() const
{
    const std::size_t perPage = std::size_t(options.sheet.perPage());
    if (labelCount() == 0)
        return 0;
    return (std::size_t(options.first - 1) + labelCount() + perPage - 1) / perPage;
}

const LabelSheet &LabelLayout::sheet() const
{
    return options.sheet;
}

std::size_t LabelLayout::barcodesLeftOut()
{
    if (!options.fields.barcode)
        return 0;
    const QRectF inner = QRectF(QPointF(), options.sheet.labelSize()).adjusted(2, 1.5, -2, -1.5);
    const QRectF box = codeBox(inner, options.barcode, 1);
    std::size_t leftOut = 0;
    for (const ExportedVariant &each : variants)
        if (codeModule(barcodeOf(each), box, 1) < minModule)
            ++leftOut;
    return leftOut;
}

bool LabelLayout::paint(QPagedPaintDevice &device, const std::function<bool(std::size_t)> &progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const std::size_t perPage = std::size_t(options.sheet.perPage());
    for (std::size_t page = 0; page < pageCount(); ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, dotsPerMm, page, false);
        const std::size_t done = std::min(labelCount(), (page + 1) * perPage - std::size_t(options.first - 1));
        if (!progress(done)) {
            painter.end();
            return false;
        }
    }
    painter.end();
    return true;
}

void LabelLayout::paintPage(QPainter &painter, double dotsPerMm, std::size_t page, bool preview)
{
    const int perPage = options.sheet.perPage();
    for (int place = 0; place < perPage; ++place) {
        const QRectF mm = options.sheet.label(place);
        const QRectF box(mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm);
        if (preview) {
            painter.setPen(Qt::lightGray);
            painter.drawRect(box);
            painter.setPen(Qt::black);
        }
        const std::size_t slot = page * std::size_t(perPage) + std::size_t(place);
        if (slot < std::size_t(options.first - 1))
            continue;
        const std::size_t label = slot - std::size_t(options.first - 1);
        if (label >= labelCount())
            break;
        const auto variant = std::upper_bound(ends.begin(), ends.end(), label) - ends.begin();
        paintLabel(painter, box, dotsPerMm, variants[std::size_t(variant)], preview);
    }
}

// The price and what else is asked for above the barcode, or left of a QR code; a photo left
// of the texts. Lines that find no room go, the identifier first, the price last.
void LabelLayout::paintLabel(QPainter &painter, const QRectF &box, double dotsPerMm, const ExportedVariant &label,
                             bool preview)
{
    const Form &variant = *label.variant;
    const LabelFields &fields = options.fields;
    const QRectF inner = box.adjusted(2 * dotsPerMm, 1.5 * dotsPerMm, -2 * dotsPerMm, -1.5 * dotsPerMm);
    QRectF texts = inner;
    if (fields.barcode) {
        const Barcode &code = barcodeOf(label);
        const QRectF room = codeBox(inner, options.barcode, dotsPerMm);
        if (options.barcode == Barcode::QrCode)
            texts.setRight(room.left() - dotsPerMm);
        else
            texts.setBottom(room.top() - 0.5 * dotsPerMm);
        const double module = codeModule(code, room, dotsPerMm);
        if (module >= minModule) {
            const double width = code.modules() * module * dotsPerMm;
            code.paint(painter, QPointF(room.center().x() - width / 2, room.top()), module * dotsPerMm, room.height());
        } else if (preview) {
            QFont small(QStringLiteral("DejaVu Sans"), 5);
            painter.setFont(small);
            painter.setPen(Qt::red);
            painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap,
                             code.isValid() ? tr("Identifier too long for a barcode on this label")
                                            : tr("No barcode for this identifier"));
            painter.setPen(Qt::black);
        }
    }
    if (fields.photo) {
        const double side = std::min(texts.height(), texts.width() * 0.3);
        const QImage picture = photos.photo(variant.getPhoto(), int(side));
        if (!picture.isNull())
            painter.drawImage(QRectF(texts.topLeft(), picture.size()), picture);
        texts.setLeft(texts.left() + side + dotsPerMm);
    }

    // Larger labels get larger texts.
    const double scale = std::clamp(box.height() / dotsPerMm / 25.4, 1.0, 1.8);
    const QString family = QStringLiteral("DejaVu Sans");
    QFont nameFont(family), plainFont(family), priceFont(family);
    nameFont.setPointSizeF(7.5 * scale);
    nameFont.setBold(true);
    plainFont.setPointSizeF(6.5 * scale);
    priceFont.setPointSizeF(11 * scale);
    priceFont.setBold(true);
    const QLocale locale = PriceListModel::interfaceLocale();
    const QString price = options.currency.isEmpty() ? locale.toString(variant.getPrice(), 'f', 2)
                                                     : locale.toCurrencyString(variant.getPrice(), options.currency, 2);
    // The price is made smaller until it fits, never cut.
    const double priceWidth = QFontMetricsF(priceFont, painter.device()).horizontalAdvance(price);
    if (priceWidth > texts.width() && texts.width() > 0)
        priceFont.setPointSizeF(priceFont.pointSizeF() * texts.width() / priceWidth);

    struct Line
    {
        bool shown;
        QString text;
        QFont font;
        bool elided;
    };
    std::vector<Line> lines { { fields.name, text(label.element->getName()), nameFont, true },
                              { fields.colour, text(variant.getColor()), plainFont, true },
                              { fields.price, price, priceFont, false },
                              { fields.identifier, text(variant.getId()), plainFont, true } };
    const auto height = [&painter](const Line &line) { return QFontMetricsF(line.font, painter.device()).height(); };
    const auto used = [&] {
        double total = 0;
        for (const Line &line : lines)
            total += line.shown ? height(line) : 0;
        return total;
    };
    for (const std::size_t dropped : { 3, 1, 0 })
        if (used() > texts.height())
            lines[dropped].shown = false;
    double y = texts.top();
    for (const Line &line : lines) {
        if (!line.shown)
            continue;
        const QFontMetricsF metrics(line.font, painter.device());
        painter.setFont(line.font);
        painter.drawText(QRectF(texts.left(), y, texts.width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         line.elided ? metrics.elidedText(line.text, Qt::ElideRight, texts.width()) : line.text);
        y += metrics.height();
    }
}

const Barcode &LabelLayout::barcodeOf(const ExportedVariant &label)
{
    if (coded != label.variant) {
        code = Barcode(options.barcode, text(label.variant->getId()));
        coded = label.variant;
    }
    return code;
}

QRectF LabelLayout::codeBox(const QRectF &inner, Barcode::Kind kind, double dotsPerMm)
{
    if (kind == Barcode::QrCode) {
        const double side = std::min(inner.height(), inner.width() * 0.45);
        return { inner.right() - side, inner.top(), side, side };
    }
    const double height = std::clamp(inner.height() * 0.4, 5 * dotsPerMm, 15 * dotsPerMm);
    return { inner.left(), inner.bottom() - height, inner.width(), height };
}

// In millimetres; none (0) where zint made no symbol.
double LabelLayout::codeModule(const Barcode &code, const QRectF &box, double dotsPerMm)
{
    if (!code.isValid())
        return 0;
    const double room = code.kind() == Barcode::QrCode ? std::min(box.width(), box.height()) : box.width();
    return std::min(widestModule(code.kind()), room / dotsPerMm / code.modules());
}
