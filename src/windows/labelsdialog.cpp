#include "labelsdialog.h"
#include "ui_labelsdialog.h"

#include "catalogueexchange.h"
#include "pricelistmodel.h"

#include <QPainter>
#include <QPushButton>
#include <QSettings>

namespace {

const QString sheetKey = QStringLiteral("labels/sheet");
const QString sizeKey = QStringLiteral("labels/size");
const QString fieldsKey = QStringLiteral("labels/fields");
const QString barcodeKey = QStringLiteral("labels/barcode");
// The price list's currency sign: labels and lists show prices alike.
const QString currencyKey = QStringLiteral("export/currency");
// The preview's sheet is painted this many dots a millimetre, then shrunk to its room.
constexpr double previewDotsPerMm = 4;

} // namespace

LabelsDialog::LabelsDialog(std::vector<ExportedVariant> variants, QString catalogueName, CatalogueExchange &exchange,
                           QWidget *parent)
    : QDialog(parent),
      ui(new Ui::LabelsDialog),
      variants(std::move(variants)),
      catalogueName(std::move(catalogueName)),
      exchange(exchange),
      sheets(LabelSheet::common())
{
    ui->setupUi(this);
    for (const LabelSheet &sheet : sheets)
        ui->comboBoxLabelSheet->addItem(sheet.name());
    ui->comboBoxLabelSheet->addItem(LabelSheet::onePerPage({}).name());
    ui->comboBoxBarcode->addItem(tr("Code 128 of the identifier"));
    ui->comboBoxBarcode->addItem(tr("QR code of the identifier"));
    restore();
    sheetChanged();
    connect(ui->comboBoxLabelSheet, &QComboBox::currentIndexChanged, this, &LabelsDialog::sheetChanged);
    for (QDoubleSpinBox *size : { ui->doubleSpinBoxLabelWidth, ui->doubleSpinBoxLabelHeight })
        connect(size, &QDoubleSpinBox::valueChanged, this, &LabelsDialog::sheetChanged);
    for (QSpinBox *number : { ui->spinBoxFirstLabel, ui->spinBoxCopies })
        connect(number, &QSpinBox::valueChanged, this, &LabelsDialog::update);
    for (QCheckBox *box : { ui->checkBoxCopiesFromStock, ui->checkBoxName, ui->checkBoxColour, ui->checkBoxPrice,
                            ui->checkBoxIdentifier, ui->checkBoxBarcode, ui->checkBoxPhoto })
        connect(box, &QCheckBox::toggled, this, &LabelsDialog::update);
    connect(ui->comboBoxBarcode, &QComboBox::currentIndexChanged, this, &LabelsDialog::update);
    connect(ui->lineEditCurrency, &QLineEdit::textChanged, this, &LabelsDialog::update);
    connect(ui->pushButtonPrint, &QPushButton::clicked, this, [this] { output(&CatalogueExchange::printPages); });
    connect(ui->pushButtonSavePdf, &QPushButton::clicked, this, [this] { output(&CatalogueExchange::savePdf); });
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

LabelsDialog::~LabelsDialog()
{
    delete ui;
}

LabelOptions LabelsDialog::options() const
{
    LabelOptions chosen;
    const auto sheet = std::size_t(ui->comboBoxLabelSheet->currentIndex());
    chosen.sheet = sheet < sheets.size() ? sheets[sheet]
                                         : LabelSheet::onePerPage({ ui->doubleSpinBoxLabelWidth->value(),
                                                                    ui->doubleSpinBoxLabelHeight->value() });
    chosen.first = ui->spinBoxFirstLabel->value();
    chosen.copies = ui->spinBoxCopies->value();
    chosen.copiesFromStock = ui->checkBoxCopiesFromStock->isChecked();
    chosen.fields = { ui->checkBoxName->isChecked(),       ui->checkBoxColour->isChecked(),
                      ui->checkBoxPrice->isChecked(),      ui->checkBoxIdentifier->isChecked(),
                      ui->checkBoxBarcode->isChecked(),    ui->checkBoxPhoto->isChecked() };
    chosen.barcode = ui->comboBoxBarcode->currentIndex() == 1 ? Barcode::QrCode : Barcode::Code128;
    chosen.currency = ui->lineEditCurrency->text().trimmed();
    return chosen;
}

// The fields as letters, so that a field added later takes its default.
void LabelsDialog::restore()
{
    const QSettings settings;
    ui->comboBoxLabelSheet->setCurrentIndex(
            std::clamp(settings.value(sheetKey, 0).toInt(), 0, ui->comboBoxLabelSheet->count() - 1));
    const QSizeF size = settings.value(sizeKey, QSizeF(60, 40)).toSizeF();
    ui->doubleSpinBoxLabelWidth->setValue(size.width());
    ui->doubleSpinBoxLabelHeight->setValue(size.height());
    const QString fields = settings.value(fieldsKey, QStringLiteral("ncpib")).toString();
    const std::pair<QCheckBox *, char16_t> letters[] = { { ui->checkBoxName, u'n' },       { ui->checkBoxColour, u'c' },
                                                         { ui->checkBoxPrice, u'p' },      { ui->checkBoxIdentifier, u'i' },
                                                         { ui->checkBoxBarcode, u'b' },    { ui->checkBoxPhoto, u'f' } };
    for (const auto &[box, letter] : letters)
        box->setChecked(fields.contains(QChar(letter)));
    ui->comboBoxBarcode->setCurrentIndex(settings.value(barcodeKey, 0).toInt() == 1 ? 1 : 0);
    ui->lineEditCurrency->setText(settings.value(currencyKey).toString());
}

void LabelsDialog::remember() const
{
    QSettings settings;
    settings.setValue(sheetKey, ui->comboBoxLabelSheet->currentIndex());
    settings.setValue(sizeKey, QSizeF(ui->doubleSpinBoxLabelWidth->value(), ui->doubleSpinBoxLabelHeight->value()));
    const LabelFields fields = options().fields;
    QString letters;
    for (const auto &[shown, letter] : { std::pair(fields.name, u'n'), std::pair(fields.colour, u'c'),
                                         std::pair(fields.price, u'p'), std::pair(fields.identifier, u'i'),
                                         std::pair(fields.barcode, u'b'), std::pair(fields.photo, u'f') })
        if (shown)
            letters += QChar(letter);
    settings.setValue(fieldsKey, letters);
    settings.setValue(barcodeKey, ui->comboBoxBarcode->currentIndex());
    settings.setValue(currencyKey, ui->lineEditCurrency->text());
}

// A label printer's size is typed; a sheet's places bound where to start.
void LabelsDialog::sheetChanged()
{
    const bool onePerPage = std::size_t(ui->comboBoxLabelSheet->currentIndex()) >= sheets.size();
    ui->doubleSpinBoxLabelWidth->setEnabled(onePerPage);
    ui->doubleSpinBoxLabelHeight->setEnabled(onePerPage);
    ui->spinBoxFirstLabel->setMaximum(options().sheet.perPage());
    update();
}

// The first sheet as it will print, and what the whole holds.
void LabelsDialog::update()
{
    ui->spinBoxCopies->setEnabled(!ui->checkBoxCopiesFromStock->isChecked());
    ui->comboBoxBarcode->setEnabled(ui->checkBoxBarcode->isChecked());
    remember();
    LabelLayout layout(variants, options());
    const QSizeF page = layout.sheet().pageLayout().fullRect(QPageLayout::Millimeter).size();
    QImage sheet((page * previewDotsPerMm).toSize(), QImage::Format_RGB32);
    sheet.setDotsPerMeterX(int(previewDotsPerMm * 1000));
    sheet.setDotsPerMeterY(int(previewDotsPerMm * 1000));
    sheet.fill(Qt::white);
    const std::size_t count = layout.labelCount();
    const bool tooMany = count > LabelLayout::maxLabels;
    if (!tooMany) {
        QPainter painter(&sheet);
        painter.setRenderHint(QPainter::Antialiasing);
        layout.paintPage(painter, previewDotsPerMm, 0, true);
    }
    ui->labelPreview->setPixmap(QPixmap::fromImage(
            sheet.scaled(ui->labelPreview->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    const QLocale locale = PriceListModel::interfaceLocale();
    QString summary;
    if (tooMany)
        summary = tr("More than %1 labels: choose fewer copies or variants.").arg(locale.toString(qulonglong(LabelLayout::maxLabels)));
    else if (count == 0)
        summary = tr("No labels: no variant has one to print.");
    else
        summary = tr("%n label(s)", nullptr, int(count)) + QStringLiteral(", ")
                + tr("%n page(s)", nullptr, int(layout.pageCount()));
    if (const std::size_t leftOut = tooMany ? 0 : layout.barcodesLeftOut())
        summary += u'\n' + tr("%n identifier(s) too long for a barcode on these labels: no barcode is printed for them.",
                              nullptr, int(leftOut));
    ui->labelSummary->setText(summary);
    ui->pushButtonPrint->setEnabled(count > 0 && !tooMany);
    ui->pushButtonSavePdf->setEnabled(count > 0 && !tooMany);
}

void LabelsDialog::output(void (CatalogueExchange::*write)(const PagedDocument &))
{
    LabelLayout layout(variants, options());
    const PagedDocument pages { tr("Labels: %1").arg(catalogueName), tr("Laying out the labels…"), layout.labelCount(),
                                layout.sheet().pageLayout(),
                                [&layout](QPagedPaintDevice &device, const std::function<bool(std::size_t)> &progress) {
                                    return layout.paint(device, progress);
                                } };
    (exchange.*write)(pages);
}
