#include "mergeconflictsdialog.h"
#include "ui_mergeconflictsdialog.h"

#include "cataloguemerge.h"
#include "pricelistmodel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>

namespace {

// The choice column's entries, in this order.
enum Keep { KeepMine, KeepTheirs };

// A price or stock as the price list shows it, in the interface language's form; any
// other value as the editor shows it.
QString shownValue(MergeConflict::Field field, const QString &value)
{
    bool number = false;
    const double amount = value.toDouble(&number);
    if (!number || (field != MergeConflict::Price && field != MergeConflict::Stock))
        return value;
    const QLocale numbers = PriceListModel::interfaceLocale();
    return field == MergeConflict::Price ? PriceListModel::priceText(amount, numbers)
                                         : numbers.toString(value.toULongLong());
}

} // namespace

MergeConflictsDialog::MergeConflictsDialog(std::vector<MergeConflict> &conflicts, QWidget *parent)
    : QDialog(parent), ui(new Ui::MergeConflictsDialog), conflicts(conflicts)
{
    ui->setupUi(this);
    const QString fields[] = { tr("Category"), tr("Name"),  tr("Description"), tr("Designer"), tr("Measures"),
                               tr("Photo"),    tr("Colour"), tr("Price"),       tr("Stock"),    tr("Variant") };
    ui->tableConflicts->setColumnCount(5);
    ui->tableConflicts->setHorizontalHeaderLabels({ tr("Identifier"), tr("Field"), tr("Theirs"), tr("Mine"), tr("Keep") });
    ui->tableConflicts->setRowCount(int(conflicts.size()));
    for (int row = 0; row < int(conflicts.size()); ++row) {
        const MergeConflict &conflict = conflicts[std::size_t(row)];
        const bool variant = conflict.field == MergeConflict::Variant;
        const QString theirs = variant && !conflict.deletedByOurs ? tr("deleted") : shownValue(conflict.field, conflict.theirs);
        const QString ours = variant && conflict.deletedByOurs ? tr("deleted") : shownValue(conflict.field, conflict.ours);
        const QStringList texts { QString::fromStdString(conflict.id), fields[conflict.field], theirs, ours };
        for (int column = 0; column < texts.size(); ++column)
            ui->tableConflicts->setItem(row, column, new QTableWidgetItem(texts[column]));
        auto *choice = new QComboBox(ui->tableConflicts);
        choice->addItems({ tr("Mine"), tr("Theirs") });
        choice->setCurrentIndex(conflict.keepOurs ? KeepMine : KeepTheirs);
        ui->tableConflicts->setCellWidget(row, 4, choice);
    }
    ui->tableConflicts->resizeColumnsToContents();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &MergeConflictsDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &MergeConflictsDialog::reject);
    connect(ui->pushButtonKeepAllMine, &QPushButton::clicked, this, [this] { keepAll(true); });
    connect(ui->pushButtonKeepAllTheirs, &QPushButton::clicked, this, [this] { keepAll(false); });
}

MergeConflictsDialog::~MergeConflictsDialog()
{
    delete ui;
}

QComboBox *MergeConflictsDialog::choiceAt(int row) const
{
    return qobject_cast<QComboBox *>(ui->tableConflicts->cellWidget(row, 4));
}

void MergeConflictsDialog::keepAll(bool ours)
{
    for (int row = 0; row < ui->tableConflicts->rowCount(); ++row)
        choiceAt(row)->setCurrentIndex(ours ? KeepMine : KeepTheirs);
}

void MergeConflictsDialog::accept()
{
    for (int row = 0; row < int(conflicts.size()); ++row)
        conflicts[std::size_t(row)].keepOurs = choiceAt(row)->currentIndex() == KeepMine;
    QDialog::accept();
}
