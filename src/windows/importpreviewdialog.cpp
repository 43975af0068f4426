#include "importpreviewdialog.h"
#include "ui_importpreviewdialog.h"

#include "chooserfolder.h"
#include "csvtext.h"
#include "importchangesmodel.h"
#include "importrefusalsmodel.h"
#include "importreport.h"
#include "pricelistmodel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

ImportPreviewDialog::ImportPreviewDialog(ImportPreview preview, const QString &fileName, Reread reread,
                                         SaveReport saveReport, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::ImportPreviewDialog>()), shown(std::move(preview)),
      fileName(fileName), reread(std::move(reread)), save(std::move(saveReport)),
      changes(new ImportChangesModel(this)), refusals(new ImportRefusalsModel(this))
{
    ui->setupUi(this);
    QPushButton *apply = ui->buttonBox->button(QDialogButtonBox::Ok);
    apply->setText(tr("Apply"));
    apply->setDefault(true);
    setWindowTitle(tr("Import of %1").arg(fileName));
    ui->tableViewChanges->setModel(changes);
    ui->tableViewRefused->setModel(refusals);
    // Rows of one height let the views show a million rows without measuring each.
    for (QTableView *view : { ui->tableViewChanges, ui->tableViewRefused })
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(ui->pushButtonSaveReport, &QPushButton::clicked, this, &ImportPreviewDialog::saveReport);
    ui->groupBoxMapping->hide();
    if (!shown.recognised || !shown.read())
        askMapping();
    showPreview();
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

const std::vector<bool> &ImportPreviewDialog::ticked() const
{
    return changes->ticked();
}

// A column's header above its combo box, which starts on the role it was read as.
void ImportPreviewDialog::askMapping()
{
    ui->groupBoxMapping->show();
    const std::pair<QString, ImportColumn> roles[] = { { tr("Identifier"), ImportColumn::Identifier },
                                                       { tr("Price"), ImportColumn::Price },
                                                       { tr("Stock"), ImportColumn::Stock },
                                                       { tr("Ignore"), ImportColumn::Ignore } };
    for (std::size_t column = 0; column < shown.headers.size(); ++column) {
        auto *header = new QLabel(QString::fromStdString(shown.headers[column]), ui->widgetMapping);
        auto *combo = new QComboBox(ui->widgetMapping);
        combo->setObjectName(QStringLiteral("comboBoxColumn%1").arg(column + 1));
        for (const auto &[name, role] : roles)
            combo->addItem(name, int(role));
        combo->setCurrentIndex(combo->findData(int(shown.mapping[column])));
        header->setBuddy(combo);
        ui->gridLayoutMapping->addWidget(header, 0, int(column));
        ui->gridLayoutMapping->addWidget(combo, 1, int(column));
        connect(combo, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::remap);
        combos.push_back(combo);
    }
}

void ImportPreviewDialog::remap()
{
    ImportMapping mapping;
    for (const QComboBox *combo : combos)
        mapping.push_back(ImportColumn(combo->currentData().toInt()));
    // The old preview goes before the new one is read: both may be large.
    shown = ImportPreview();
    changes->show(shown);
    refusals->show(shown);
    shown = reread(mapping);
    showPreview();
}

void ImportPreviewDialog::showPreview()
{
    changes->show(shown);
    refusals->show(shown);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(shown.read());
    ui->pushButtonSaveReport->setEnabled(shown.read());
    if (shown.outcome == ImportPreview::NoIdentifierColumn)
        ui->labelSummary->setText(tr("Choose the column that holds the identifiers."));
    else if (shown.outcome == ImportPreview::NoPriceOrStockColumn)
        ui->labelSummary->setText(tr("Choose a column of prices or of stocks."));
    else if (shown.changes.empty())
        ui->labelSummary->setText(tr("Nothing changes: every price and stock of the file is the catalogue's already."));
    else
        ui->labelSummary->setText(tr("Prices that change: %1. Stocks that change: %2.")
                                          .arg(shown.priceChanges)
                                          .arg(shown.stockChanges));
    const std::size_t unlisted = shown.unreadCount - shown.unreadRows.size();
    ui->labelRefused->setText(
            shown.unreadCount == 0 ? tr("Every row of the file is read.")
            : unlisted == 0
                    ? tr("Rows that change nothing (%n):", nullptr, int(shown.unreadCount))
                    : tr("Rows that change nothing (%n), of which the first %1 are listed:", nullptr, int(shown.unreadCount))
                              .arg(shown.unreadRows.size()));
    ui->tableViewRefused->setVisible(!shown.unreadRows.empty());
    const QString told = notes();
    ui->labelNotes->setText(told);
    ui->labelNotes->setVisible(!told.isEmpty());
    ui->tableViewChanges->resizeColumnsToContents();
    ui->tableViewRefused->resizeColumnsToContents();
}

QString ImportPreviewDialog::notes() const
{
    QStringList lines;
    if (shown.unclosedQuoteLine > 0)
        lines << tr("The quote that opens a field on line %1 is never closed: the rest of the file was read as "
                    "that one field.")
                         .arg(shown.unclosedQuoteLine);
    if (shown.sharedCount == 0)
        return lines.join(u'\n');
    QStringList shared;
    for (const SharedIdentifier &identifier : shown.sharedIdentifiers)
        shared << tr("%1 (%n variant(s))", nullptr, int(identifier.variants)).arg(QString::fromStdString(identifier.id));
    if (shown.sharedCount > shown.sharedIdentifiers.size())
        shared << tr("and %n more.", nullptr, int(shown.sharedCount - shown.sharedIdentifiers.size()));
    lines << tr("Identifiers that several variants have: one row changes them all, as many rows as variants change "
                "one each: %1")
                     .arg(shared.join(QStringLiteral(", ")));
    return lines.join(u'\n');
}

// In the interface language's form of CSV, as the export offers it first.
void ImportPreviewDialog::saveReport()
{
    QFileDialog chooser(this, tr("Save the import's report"), ChooserFolder::start(), tr("CSV files (*.csv)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("csv"));
    chooser.selectFile(tr("Report of %1").arg(QFileInfo(fileName).completeBaseName()) + QStringLiteral(".csv"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const bool french = PriceListModel::interfaceLocale().language() == QLocale::French;
    save(chooser.selectedFiles().constFirst(),
         CsvText::write(ImportReport(shown, ticked()),
                        french ? CsvText::Dialect::SemicolonDecimalComma : CsvText::Dialect::Comma, true));
}
