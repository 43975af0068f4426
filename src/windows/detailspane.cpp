#include "detailspane.h"
#include "measurestext.h"
#include "picturelabel.h"
#include "ui_detailspane.h"

#include "cataloguetreemodel.h"
#include "photofolders.h"
#include "pricelist.h"
#include "pricelistmodel.h"
#include "stocktotals.h"

#include <QStyle>

#include <algorithm>
#include <climits>

DetailsPane::DetailsPane(QWidget *parent) : QWidget(parent), ui(new Ui::DetailsPane)
{
    ui->setupUi(this);
    // The mark of a low stock in the price list: its warning icon on its background.
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    ui->labelDetailsLowStockIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize));
    connect(ui->pushButtonDetailsOpen, &QPushButton::clicked, this, &DetailsPane::openRequested);
    connect(&photos, &PhotoLoader::loaded, this, &DetailsPane::showPhoto);
}

DetailsPane::~DetailsPane()
{
    delete ui;
}

void DetailsPane::showVariant(const Furniture &element, std::size_t variant)
{
    const Form &form = element.getForms()[variant];
    const QLocale locale = PriceListModel::interfaceLocale();
    const unsigned int lowStock = PriceList::lowStockThreshold();
    showTexts(CatalogueTreeModel::shownText(form.getId()),
         QStringList { tr("Colour: %1").arg(CatalogueTreeModel::shownText(form.getColor())),
                       tr("Price: %1").arg(PriceListModel::priceText(form.getPrice(), locale)),
                       tr("Stock: %1").arg(locale.toString(form.getStock())),
                       tr("Element: %1").arg(CatalogueTreeModel::shownText(element.getName())),
                       tr("Category: %1").arg(CatalogueTreeModel::shownText(element.getCategory())) }
                 + elementFacts(element),
         QString::fromStdString(element.getDesc()));
    if (form.getStock() <= lowStock) {
        ui->labelDetailsLowStock->setText(tr("Low stock: %1 or fewer").arg(locale.toString(lowStock)));
        ui->widgetDetailsLowStock->show();
    }
    ui->pushButtonDetailsOpen->show();
    const QString photo = QString::fromStdString(form.getPhoto());
    ui->labelDetailsPhoto->show();
    if (photo.isEmpty())
        showPhoto(PictureStatus::NoName, {});
    else
        photos.request(PhotoFolders::find(photo), photoBounds());
}

void DetailsPane::showElement(const Furniture &element)
{
    showTexts(CatalogueTreeModel::shownText(element.getName()), elementFacts(element) + totalsFacts(StockTotals::of(element)),
         QString::fromStdString(element.getDesc()));
}

void DetailsPane::showCategory(const std::string &category, const StockTotals &totals)
{
    showTexts(CatalogueTreeModel::shownText(category),
         QStringList(tr("%n element(s)", nullptr, int(std::min<std::size_t>(totals.elements, INT_MAX))))
                 + totalsFacts(totals),
         {});
}

void DetailsPane::showCatalogue(const StockTotals &totals)
{
    if (totals.elements == 0) {
        showTexts({}, { tr("No catalogue yet: open one with File › Open, start one with File › New Furniture, "
                      "or take a recent one from File › Open Recent.") },
             {});
        return;
    }
    showTexts(tr("Catalogue"),
         QStringList(tr("%n element(s)", nullptr, int(std::min<std::size_t>(totals.elements, INT_MAX))))
                 + totalsFacts(totals),
         {});
}

// Everything but the heading, the facts and the description is hidden until a variant shows it.
void DetailsPane::showTexts(const QString &heading, const QStringList &facts, const QString &description)
{
    photos.cancel();
    ui->labelDetailsHeading->setText(heading);
    ui->labelDetailsFacts->setText(facts.join(u'\n'));
    ui->plainTextEditDetailsDescription->setPlainText(description);
    ui->plainTextEditDetailsDescription->setVisible(!description.isEmpty());
    ui->widgetDetailsLowStock->hide();
    ui->labelDetailsPhoto->hide();
    ui->labelDetailsPhoto->clear();
    ui->pushButtonDetailsOpen->hide();
}

void DetailsPane::showPhoto(PictureStatus status, const QImage &picture)
{
    PictureLabel::show(*ui->labelDetailsPhoto, status, QPixmap::fromImage(picture));
}

QStringList DetailsPane::elementFacts(const Furniture &element) const
{
    QStringList facts { tr("Designer: %1").arg(CatalogueTreeModel::shownText(element.getDesigner())) };
    if (const QString measures = MeasuresText::of(element.getDim()); !measures.isEmpty())
        facts << tr("Measures: %1").arg(measures);
    return facts;
}

QStringList DetailsPane::totalsFacts(const StockTotals &totals) const
{
    const QLocale locale = PriceListModel::interfaceLocale();
    return { tr("%n variant(s)", nullptr, int(std::min<std::size_t>(totals.variants, INT_MAX))),
             tr("%1 unit(s) in stock", nullptr, int(std::min<std::uint64_t>(totals.units, INT_MAX)))
                     .arg(locale.toString(qulonglong(totals.units))),
             tr("Stock value: %1").arg(locale.toString(totals.value, 'f', 2)) };
}

// Within the photo's frame, which has its size before the pane is first laid out.
QSize DetailsPane::photoBounds() const
{
    const int frame = 2 * ui->labelDetailsPhoto->frameWidth();
    return ui->labelDetailsPhoto->maximumSize() - QSize(frame, frame);
}
