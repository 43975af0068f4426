#include "valueschangedialogs.h"
#include "ui_pricechangedialog.h"
#include "ui_stockchangedialog.h"

#include "fieldtext.h"
#include "pricelistmodel.h"
#include "valuevalidator.h"

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

// Why the amount typed cannot be used, also in the field's tooltip; empty while it can, or
// while nothing is typed yet.
QString amountRefusal(QLineEdit *amount)
{
    const auto *value = qobject_cast<const ValueValidator *>(amount->validator());
    const QString why = value && !amount->text().trimmed().isEmpty() ? value->refusal(amount->text()) : QString();
    amount->setToolTip(why);
    return why;
}

double amountOf(const QLineEdit *amount)
{
    const auto *value = qobject_cast<const ValueValidator *>(amount->validator());
    return value ? value->reading(amount->text()).value : FieldText::toPrice(amount->text());
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

// A price is any a file holds; a percentage has up to three digits and two decimals.
void PriceChangeDialog::kindChosen()
{
    delete ui->lineEditPriceAmount->validator();
    if (change().kind == PriceChange::Set)
        ui->lineEditPriceAmount->setValidator(new ValueValidator(TypedValue::Price, false, ui->lineEditPriceAmount));
    else
        ui->lineEditPriceAmount->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^[0-9]{1,3}([.,][0-9]{1,2})?$")), ui->lineEditPriceAmount));
    check();
}

PriceChange PriceChangeDialog::change() const
{
    return { PriceChange::Kind(ui->comboBoxPriceChange->currentIndex()), amountOf(ui->lineEditPriceAmount) };
}

ChangedValues PriceChangeDialog::outcome() const
{
    return CatalogueOperations::changedPrices(catalogue, places, change());
}

void PriceChangeDialog::check()
{
    const bool whole = isWhole(ui->lineEditPriceAmount);
    const ChangedValues changed = whole ? outcome() : ChangedValues();
    QString why = amountRefusal(ui->lineEditPriceAmount);
    if (changed.belowZero > 0)
        why = tr("Refused: %n variant(s) would get a price below 0.", nullptr, int(changed.belowZero));
    else if (changed.aboveLimit > 0)
        why = tr("Refused: %n variant(s) would get a price above %1, the most a file holds.", nullptr,
                 int(changed.aboveLimit))
                      .arg(PriceListModel::interfaceLocale().toString(TypedValue::maxPrice, 'f', 2));
    settle(ui->buttonBox, ui->labelRefusal, whole, why);
}

StockChangeDialog::StockChangeDialog(const SetOfFurnitures &catalogue, std::vector<VariantPlace> places,
                                     QWidget *parent)
    : QDialog(parent), ui(new Ui::StockChangeDialog), catalogue(catalogue), places(std::move(places))
{
    ui->setupUi(this);
    setWindowTitle(tr("Change stock"));
    ui->labelQuestion->setText(tr("Change the stock of %n selected variant(s):", nullptr, int(this->places.size())));
    ui->lineEditStockAmount->setValidator(new ValueValidator(TypedValue::Stock, false, ui->lineEditStockAmount));
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
    return { StockChange::Kind(ui->comboBoxStockChange->currentIndex()),
             static_cast<unsigned int>(amountOf(ui->lineEditStockAmount)) };
}

ChangedValues StockChangeDialog::outcome() const
{
    return CatalogueOperations::changedStocks(catalogue, places, change());
}

void StockChangeDialog::check()
{
    const bool whole = isWhole(ui->lineEditStockAmount);
    const ChangedValues changed = whole ? outcome() : ChangedValues();
    QString why = amountRefusal(ui->lineEditStockAmount);
    if (changed.belowZero > 0)
        why = tr("Refused: %n variant(s) would have a stock below 0.", nullptr, int(changed.belowZero));
    else if (changed.aboveLimit > 0)
        why = tr("Refused: %n variant(s) would have a stock above %1, the most a variant holds.", nullptr,
                 int(changed.aboveLimit))
                      .arg(PriceListModel::interfaceLocale().toString(TypedValue::maxStock));
    settle(ui->buttonBox, ui->labelRefusal, whole, why);
}
