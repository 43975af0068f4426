#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

// A barcode of a text, made by zint and kept as its dark rectangles, so that it is painted
// as vectors at any size. Sizes count modules (the narrowest bar, or a QR code's square)
// and include the quiet zones that scanners need on either side.
class Barcode
{
public:
    enum Kind { Code128, QrCode };

    Barcode(Kind kind, const QString &text);

    // False where zint refuses the text (empty, or holding what the symbology cannot carry).
    bool isValid() const;
    Kind kind() const;
    // The width in modules, quiet zones included; a QR code is as high as wide, a Code 128 as
    // high as it is drawn.
    int modules() const;
    // Paints the symbol with modules of `module` device units, its top left corner, quiet zone
    // included, at `at`; a Code 128 takes `height`, a QR code its own.
    void paint(QPainter &painter, QPointF at, double module, double height) const;

private:
    Kind symbology;
    // The dark rectangles: x and width in modules from the symbol's left edge; y and height
    // in modules for a QR code, as a fraction of the whole height for a Code 128.
    std::vector<QRectF> bars;
    int symbolModules = 0;
};
