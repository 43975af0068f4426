#include "barcode.h"

#include <QPainter>

#include <zint.h>

#include <memory>

namespace {

// The quiet zones, in modules on each side, that scanners need to find the symbol.
int quietZone(Barcode::Kind kind)
{
    return kind == Barcode::Code128 ? 10 : 4;
}

} // namespace

Barcode::Barcode(Kind kind, const QString &text) : symbology(kind)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol *)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbol || text.isEmpty())
        return;
    symbol->symbology = kind == Code128 ? BARCODE_CODE128 : BARCODE_QRCODE;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 0;
    symbol->border_width = 0;
    // The quiet zones are added when painting, where the label's room is known.
    symbol->output_options = BARCODE_NO_QUIET_ZONES;
    const QByteArray utf8 = text.toUtf8();
    if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()), int(utf8.size()))
                >= ZINT_ERROR
        || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector || symbol->width <= 0)
        return;
    // zint's vector units are its own; the symbol's width in modules gives their scale.
    const double unit = symbol->vector->width / symbol->width;
    const double height = kind == Code128 ? symbol->vector->height : unit;
    const double left = quietZone(kind), top = kind == Code128 ? 0 : left;
    for (const zint_vector_rect *rect = symbol->vector->rectangles; rect; rect = rect->next)
        bars.emplace_back(left + rect->x / unit, top + rect->y / height, rect->width / unit, rect->height / height);
    symbolModules = symbol->width + 2 * quietZone(kind);
}

bool Barcode::isValid() const
{
    return symbolModules > 0;
}

Barcode::Kind Barcode::kind() const
{
    return symbology;
}

int Barcode::modules() const
{
    return symbolModules;
}

void Barcode::paint(QPainter &painter, QPointF at, double module, double height) const
{
    const double vertical = symbology == Code128 ? height : module;
    for (const QRectF &bar : bars)
        painter.fillRect(QRectF(at.x() + bar.x() * module, at.y() + bar.y() * vertical, bar.width() * module,
                                bar.height() * vertical),
                         Qt::black);
}
