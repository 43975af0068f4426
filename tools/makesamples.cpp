// Draws the logo and the furniture photos into ROOT/Images and writes the sample
// catalogue ROOT/json/shop.json that shows them, ROOT being the repository root.

#include "setoffurnitures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct VariantSample
{
    const char *color; // as stored; its lowercase form names the photo
    QRgb paint;
    double price;
    unsigned int stock;
};

// Draws one piece seen from the side, filling `box`, in the given colour.
using Drawing = void (*)(QPainter &, const QRectF &, const QColor &);

struct ElementSample
{
    const char *name, *description, *designer;
    const char *length, *height, *width, *weight; // centimetres and kilograms
    Drawing draw;
    const char *photoStem;
    std::vector<VariantSample> variants;
};

struct CategorySample
{
    const char *name;
    std::vector<ElementSample> elements;
};

// Listed in the catalogue but never drawn, so the sample also shows a missing photo.
const QString missingPhoto = QStringLiteral("sammal-grey.png");

const QColor background(0xf4, 0xf1, 0xec);
const QSize photoSize(360, 260);
const QSize logoSize(273, 183);

void usePaint(QPainter &p, const QColor &color)
{
    p.setPen(QPen(color.darker(160), 2));
    p.setBrush(color);
}

// Legs are a darker shade of the piece so that a black chair still shows its seat.
QColor legsOf(const QColor &color)
{
    return color.lightness() < 60 ? color.lighter(250) : color.darker(140);
}

void drawChair(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height();
    const double seatTop = box.top() + h * 0.52, thick = h * 0.07, leg = w * 0.09;
    usePaint(p, legsOf(color));
    p.drawRect(QRectF(box.left() + w * 0.06, seatTop, leg, box.bottom() - seatTop));
    p.drawRect(QRectF(box.right() - w * 0.06 - leg, seatTop, leg, box.bottom() - seatTop));
    usePaint(p, color);
    p.drawRoundedRect(QRectF(box.left(), box.top(), w * 0.16, seatTop - box.top() + thick), 4, 4);
    p.drawRoundedRect(QRectF(box.left(), seatTop, w, thick), 4, 4);
}

void drawArmchair(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height();
    drawChair(p, box, color);
    usePaint(p, legsOf(color));
    p.drawRect(QRectF(box.left() + w * 0.6, box.top() + h * 0.3, w * 0.06, h * 0.22));
    p.drawRoundedRect(QRectF(box.left(), box.top() + h * 0.3, w * 0.7, h * 0.08), 4, 4);
}

void drawTable(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height();
    const double top = h * 0.08, leg = std::max(8.0, w * 0.045);
    usePaint(p, legsOf(color));
    p.drawRect(QRectF(box.left() + w * 0.08, box.top() + top, leg, h - top));
    p.drawRect(QRectF(box.right() - w * 0.08 - leg, box.top() + top, leg, h - top));
    usePaint(p, color);
    p.drawRoundedRect(QRectF(box.left(), box.top(), w, top), 3, 3);
}

void drawLowTable(QPainter &p, const QRectF &box, const QColor &color)
{
    drawTable(p, box, color);
    usePaint(p, color);
    p.drawRect(QRectF(box.left() + box.width() * 0.08, box.top() + box.height() * 0.7,
                      box.width() * 0.84, box.height() * 0.06));
}

void drawSofa(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height();
    const double foot = h * 0.1, arm = w * 0.1, seatTop = box.top() + h * 0.5;
    usePaint(p, legsOf(color));
    for (const double x : { box.left() + arm * 0.4, box.right() - arm * 0.4 - foot })
        p.drawRect(QRectF(x, box.bottom() - foot, foot, foot));
    usePaint(p, color);
    p.drawRoundedRect(QRectF(box.left() + arm * 0.5, box.top(), w - arm, h * 0.6), 10, 10);
    p.drawRoundedRect(QRectF(box.left(), seatTop, w, box.bottom() - foot - seatTop), 8, 8);
    usePaint(p, color.lighter(112));
    for (const double x : { box.left(), box.right() - arm })
        p.drawRoundedRect(QRectF(x, box.top() + h * 0.35, arm, h * 0.55 - foot), 8, 8);
}

void drawFloorLamp(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height(), cx = box.center().x();
    const double shade = h * 0.28, pole = std::max(4.0, w * 0.06);
    usePaint(p, legsOf(color));
    p.drawRect(QRectF(cx - pole / 2, box.top() + shade, pole, h - shade));
    p.drawEllipse(QRectF(box.left() + w * 0.2, box.bottom() - h * 0.05, w * 0.6, h * 0.05));
    usePaint(p, color);
    p.drawPolygon(QPolygonF({ QPointF(cx - w * 0.25, box.top()), QPointF(cx + w * 0.25, box.top()),
                              QPointF(box.right(), box.top() + shade),
                              QPointF(box.left(), box.top() + shade) }));
}

void drawDeskLamp(QPainter &p, const QRectF &box, const QColor &color)
{
    const double w = box.width(), h = box.height();
    const QPointF foot(box.left() + w * 0.25, box.bottom() - h * 0.05);
    const QPointF elbow(box.left() + w * 0.45, box.top() + h * 0.08);
    const QPointF head(box.right() - w * 0.25, box.top() + h * 0.35);
    usePaint(p, legsOf(color));
    p.drawEllipse(QRectF(box.left(), box.bottom() - h * 0.08, w * 0.5, h * 0.08));
    p.setPen(QPen(legsOf(color), std::max(4.0, w * 0.04), Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({ foot, elbow, head }));
    usePaint(p, color);
    p.drawChord(QRectF(head.x() - w * 0.25, head.y() - h * 0.1, w * 0.5, h * 0.4), 0, 180 * 16);
}

const QRectF photoFrame = QRectF(QPointF(0, 0), photoSize).adjusted(30, 25, -30, -35);

// The piece keeps the proportions of its length to its height, as large as the picture
// allows, standing on the floor.
QImage drawPhoto(const ElementSample &element, const QColor &color)
{
    QImage image(photoSize, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double length = QByteArray(element.length).toDouble();
    const double height = QByteArray(element.height).toDouble();
    const double scale = std::min(photoFrame.width() / length, photoFrame.height() / height);
    QRectF box(0, 0, length * scale, height * scale);
    box.moveCenter(QPointF(photoFrame.center().x(), photoFrame.bottom() - box.height() / 2));
    p.setPen(Qt::NoPen);
    p.setBrush(background.darker(112));
    p.drawEllipse(QRectF(box.left() - 10, box.bottom() - 6, box.width() + 20, 14));
    element.draw(p, box, color);
    return image;
}

QImage drawLogo()
{
    QImage image(logoSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x4f, 0x4f));
    p.drawRoundedRect(QRectF(QPointF(0, 0), logoSize), 24, 24);
    drawChair(p, QRectF(106, 20, 60, 90), QColor(0xe0, 0xb0, 0x70));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(50);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 112, logoSize.width(), 60), Qt::AlignCenter, QStringLiteral("Kälviö"));
    return image;
}

std::string groupOf(size_t index)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03zu", index + 1);
    return text;
}

const std::vector<CategorySample> &catalogue()
{
    static const std::vector<CategorySample> samples {
        { "Chairs",
          { { "Koivu chair", "Stackable dining chair in solid birch with a curved backrest.",
              "Liisa Mäkelä", "45", "80", "50", "4.5", drawChair, "koivu",
              { { "Natural", 0xd8b98a, 59.9, 24 },
                { "Black", 0x2b2b2b, 64.9, 12 },
                { "Red", 0xb3362f, 64.9, 0 } } },
            { "Tuuli armchair", "Low lounge armchair with a padded seat and oak armrests.",
              "Jussi Harju", "72", "76", "68", "11", drawArmchair, "tuuli",
              { { "Grey", 0x8c8f93, 240, 5 }, { "Blue", 0x3c5f8c, 240, 3 } } } } },
        { "Tables",
          { { "Järvi dining table", "Extendable table for six, oak veneer top on steel legs.",
              "Anna Virtanen", "180", "75", "90", "38", drawTable, "jarvi",
              { { "Oak", 0xc49a6c, 549, 4 },
                { "White", 0xf9f9f6, 529, 6 },
                { "Walnut", 0x6b4a32, 629, 2 } } },
            { "Saari coffee table", "Low table with a shelf underneath for magazines.",
              "Mikko Laine", "80", "45", "80", "12.5", drawLowTable, "saari",
              { { "White", 0xf9f9f6, 129, 10 }, { "Black", 0x2b2b2b, 129, 7 } } } } },
        { "Sofas",
          { { "Pilvi sofa", "Three-seat sofa with removable, washable covers.", "Elina Koski",
              "210", "85", "92", "62", drawSofa, "pilvi",
              { { "Grey", 0x8c8f93, 899, 3 },
                { "Green", 0x5b7f5a, 949, 1 },
                { "Beige", 0xd9c8a9, 899, 0 } } },
            { "Sammal sofa bed", "Two-seat sofa that unfolds into a 140 cm wide bed.",
              "Jussi Harju", "160", "88", "95", "55", drawSofa, "sammal",
              { { "Blue", 0x3c5f8c, 690, 2 }, { "Grey", 0x8c8f93, 690, 4 } } } } },
        { "Lamps",
          { { "Kuu floor lamp", "Floor lamp with a linen shade and a dimmer on the cord.",
              "Anna Virtanen", "40", "160", "40", "6.5", drawFloorLamp, "kuu",
              { { "White", 0xf9f9f6, 89.9, 15 }, { "Black", 0x2b2b2b, 94.5, 9 } } },
            { "Tähti desk lamp", "Desk lamp with an adjustable arm and a weighted base.",
              "Mikko Laine", "35", "45", "15", "1.8", drawDeskLamp, "tahti",
              { { "Yellow", 0xe8b830, 39.9, 30 },
                { "Green", 0x5b7f5a, 39.9, 22 },
                { "Black", 0x2b2b2b, 42, 18 } } } } },
    };
    return samples;
}

bool writePng(const QImage &image, const QString &path)
{
    // Quality 0 asks for the strongest PNG compression; the pictures are committed.
    if (image.save(path, "PNG", 0))
        return true;
    std::fprintf(stderr, "makesamples: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesamples REPOSITORY_ROOT\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("Images")) || !root.mkpath(QStringLiteral("json"))) {
        std::fprintf(stderr, "makesamples: cannot create the folders under %s\n", argv[1]);
        return 1;
    }
    const QDir images(root.filePath(QStringLiteral("Images")));
    bool ok = writePng(drawLogo(), images.filePath(QStringLiteral("logo.png")));

    SetOfFurnitures set;
    const std::vector<CategorySample> &categories = catalogue();
    for (size_t c = 0; c < categories.size(); ++c) {
        const CategorySample &category = categories[c];
        for (size_t e = 0; e < category.elements.size(); ++e) {
            const ElementSample &element = category.elements[e];
            std::vector<Form> forms;
            for (size_t v = 0; v < element.variants.size(); ++v) {
                const VariantSample &variant = element.variants[v];
                const QString photo = QString::fromLatin1(element.photoStem) + u'-'
                        + QString::fromLatin1(variant.color).toLower() + QStringLiteral(".png");
                if (photo != missingPhoto)
                    ok &= writePng(drawPhoto(element, QColor(variant.paint)),
                                   images.filePath(photo));
                forms.emplace_back(groupOf(c) + '.' + groupOf(e) + '.' + groupOf(v),
                                   photo.toStdString(), variant.color, variant.price,
                                   variant.stock);
            }
            set.addFurniture(new Furniture(category.name, element.name, element.description,
                                           element.designer,
                                           Dimension(element.length, element.height,
                                                     element.width, element.weight),
                                           std::move(forms)));
        }
    }
    set.save(root.filePath(QStringLiteral("json/shop.json")));
    set.clear();
    return ok ? 0 : 1;
}
