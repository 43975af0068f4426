#include "valueschangedialogs.h"
#include "ui_pricechangedialog.h"
#include "ui_stockchangedialog.h"

#include "fieldtext.h"
#include "typingvalidator.h"

#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

// Shows why the change is refused, if it is, and lets OK through only for a whole amount
// and a change that is not refused.
void settle(QDialogButtonBox *buttons, QLabel *refusal, bool wholeAmount, const QString &why)
{
    refusal->setText(why);
    refusal->setVisible(!why.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(wholeAmount && why.isEmpty());
}

bool isWhole(const QLineEdit *amount)
{
    return amount->hasAcceptableInput() && !amount->text().isEmpty();
}

} // namespace

PriceChangeDialog::PriceChangeDialog(const SetOfFurnitures &catalogue, std::vector<VariantPlace> places,
                                     QWidget *parent)
    : QDialog(parent), ui(new Ui::PriceChangeDialog), catalogue(catalogue), places(std::move(places))
{
    ui->setupUi(this);
    setWindowTitle(tr("Change prices"));
    ui->labelQuestion->setText(tr("Change the prices of %n selected variant(s), rounded to the cent:", nullptr,
                                  int(this->places.size())));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->comboBoxPriceChange, &QComboBox::currentIndexChanged, this, &PriceChangeDialog::kindChosen);
    connect(ui->lineEditPriceAmount, &QLineEdit::textChanged, this, &PriceChangeDialog::check);
    kindChosen();
}

PriceChangeDialog::~PriceChangeDialog()
{
    delete ui;
}

// A price is typed as in the editor; a percentage with up to three digits and two decimals.
void PriceChangeDialog::kindChosen()
{
    delete ui->lineEditPriceAmount->validator();
    if (change().kind == PriceChange::Set)
        ui->lineEditPriceAmount->setValidator(TypingValidator::forPrice(ui->lineEditPriceAmount));
    else
        ui->lineEditPriceAmount->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^[0-9]{1,3}([.,][0-9]{1,2})?$")), ui->lineEditPriceAmount));
    check();
}

PriceChange PriceChangeDialog::change() const
{
    return { PriceChange::Kind(ui->comboBoxPriceChange->currentIndex()), FieldText::toPrice(ui->lineEditPriceAmount->text()) };
}

ChangedValues PriceChangeDialog::outcome() const
{
    return CatalogueOperations::changedPrices(catalogue, places, change());
}

void PriceChangeDialog::check()
{
    const bool whole = isWhole(ui->lineEditPriceAmount);
    const ChangedValues changed = whole ? outcome() : ChangedValues();
    QString why;
    if (changed.belowZero > 0)
        why = tr("Refused: %n variant(s) would get a price below 0.", nullptr, int(changed.belowZero));
    else if (changed.aboveLimit > 0)
        why = tr("Refused: %n variant(s) would get a price too large to keep.", nullptr, int(changed.aboveLimit));
    settle(ui->buttonBox, ui->labelRefusal, whole, why);
}

StockChangeDialog::StockChangeDialog(const SetOfFurnitures &catalogue, std::vector<VariantPlace> places,
                                     QWidget *parent)
    : QDialog(parent), ui(new Ui::StockChangeDialog), catalogue(catalogue), places(std::move(places))
{
    ui->setupUi(this);
    setWindowTitle(tr("Change stock"));
    ui->labelQuestion->setText(tr("Change the stock of %n selected variant(s):", nullptr, int(this->places.size())));
    ui->lineEditStockAmount->setValidator(TypingValidator::forStock(ui->lineEditStockAmount));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->comboBoxStockChange, &QComboBox::currentIndexChanged, this, &StockChangeDialog::check);
    connect(ui->lineEditStockAmount, &QLineEdit::textChanged, this, &StockChangeDialog::check);
    check();
}

StockChangeDialog::~StockChangeDialog()
{
    delete ui;
}

StockChange StockChangeDialog::change() const
{
    return { StockChange::Kind(ui->comboBoxStockChange->currentIndex()), FieldText::toStock(ui->lineEditStockAmount->text()) };
}

ChangedValues StockChangeDialog::outcome() const
{
    return CatalogueOperations::changedStocks(catalogue, places, change());
}

void StockChangeDialog::check()
{
    const bool whole = isWhole(ui->lineEditStockAmount);
    const ChangedValues changed = whole ? outcome() : ChangedValues();
    QString why;
    if (changed.belowZero > 0)
        why = tr("Refused: %n variant(s) would have a stock below 0.", nullptr, int(changed.belowZero));
    else if (changed.aboveLimit > 0)
        why = tr("Refused: %n variant(s) would have a stock above %1, the most a variant holds.", nullptr,
                 int(changed.aboveLimit))
                      .arg(CatalogueOperations::maxStock);
    settle(ui->buttonBox, ui->labelRefusal, whole, why);
}
