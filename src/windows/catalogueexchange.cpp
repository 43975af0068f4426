#include "catalogueexchange.h"

#include "backgroundwork.h"
#include "cataloguedocument.h"
#include "chooserfolder.h"
#include "csvtext.h"
#include "diskfile.h"
#include "importpreviewdialog.h"
#include "labelsdialog.h"
#include "priceimport.h"
#include "pricelistmodel.h"
#include "printdialog.h"
#include "tablecopy.h"
#include "xlsxfile.h"
#include "ui_currencyfield.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTranslator>

namespace {

// The CSV form chosen last, by its place among the chooser's.
const QString csvFormKey = QStringLiteral("export/csvForm");
const QString currencyKey = QStringLiteral("export/currency");
// For each set of headers of an import file, the roles last chosen for its columns.
const QString importMappingsKey = QStringLiteral("import/mappings");
// As long as the main window's messages, and twice that to read what an import changed.
const int statusTimeoutMs = 10000;

// An export gives up at once on a file that another program holds locked; the main
// window's save then waits a while and asks.
DiskFile::WriteConditions giveUpIfLocked()
{
    DiskFile::WriteConditions conditions;
    conditions.waitForLock = false;
    return conditions;
}

// A4 with margins of 15 mm.
QPageLayout priceListPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

// Whether the printer, painting for real rather than for the preview, would make a file:
// the print dialog's "Print to file", or the preview's export where there is no printer.
bool printsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
        && printer.paintEngine()->type() != QPaintEngine::Picture;
}

} // namespace

CatalogueExchange::CatalogueExchange(QWidget *window, CatalogueDocument &document, SaveWith save,
                                     ReportFailure report, Filtered filtered)
    : QObject(window), window(window), document(document), save(std::move(save)), report(std::move(report)),
      filtered(std::move(filtered)), catalogueMenu(new QMenu(tr("&Catalogue"), window))
{
    catalogueMenu->setObjectName(QStringLiteral("menuCatalogue"));
    QMenu *exports = catalogueMenu->addMenu(tr("&Export"));
    exports->setObjectName(QStringLiteral("menuExport"));
    addExports(exports, QStringLiteral("action"), [this] { return variantsToExport(); });
    exports->findChild<QAction *>(QStringLiteral("actionPrint"))->setShortcuts(QKeySequence::Print);
    QAction *labels = catalogueMenu->addAction(tr("Print &labels…"));
    labels->setObjectName(QStringLiteral("actionPrintLabels"));
    // The variants the filter shows, or with none shown, the whole catalogue.
    connect(labels, &QAction::triggered, this, [this] {
        printLabels(this->filtered().value_or(inIdentifierOrder(wholeCatalogue(this->document.catalogue()))), this->window);
    });
    QAction *import = catalogueMenu->addAction(tr("&Import prices and stock…"));
    import->setObjectName(QStringLiteral("actionImportPrices"));
    connect(import, &QAction::triggered, this, &CatalogueExchange::importPrices);
    // A catalogue opened read-only takes no imported values.
    const auto followReadOnly = [this, import] {
        import->setEnabled(!this->document.isReadOnly());
        import->setToolTip(this->document.isReadOnly() ? readOnlyReason() : QString());
    };
    connect(&document, &CatalogueDocument::stateChanged, import, followReadOnly);
    followReadOnly();
}

QString CatalogueExchange::readOnlyReason()
{
    return tr("The catalogue is open read-only, as someone else has it open: to change it, save a copy and open that.");
}

QMenu *CatalogueExchange::exportMenu(const std::function<std::vector<ExportedVariant>()> &shown, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    addExports(menu, QStringLiteral("actionList"), [shown] { return std::optional(shown()); });
    return menu;
}

void CatalogueExchange::addExports(QMenu *menu, const QString &namePrefix, const Variants &variants)
{
    const auto add = [&](const char *name, const QString &text, Exporter exporter) {
        QAction *action = menu->addAction(text);
        action->setObjectName(namePrefix + QLatin1StringView(name));
        connect(action, &QAction::triggered, this, [this, variants, exporter] {
            if (const std::optional<std::vector<ExportedVariant>> chosen = variants())
                (this->*exporter)(*chosen);
        });
    };
    add("ExportCsv", tr("CSV…"), &CatalogueExchange::exportCsv);
    add("ExportXlsx", tr("Spreadsheet (.xlsx)…"), &CatalogueExchange::exportXlsx);
    add("ExportPdf", tr("PDF price list…"), &CatalogueExchange::exportPdf);
    menu->addSeparator();
    add("Print", tr("&Print price list…"), &CatalogueExchange::print);
}

QStringList CatalogueExchange::headers()
{
    QStringList names;
    for (const char *name : CatalogueTable::columnNames)
        names << QCoreApplication::translate("CatalogueTable", name);
    return names;
}

// The whole catalogue, or where the filter holds text and the user asks for it, only the
// variants it shows; none when the user cancels.
std::optional<std::vector<ExportedVariant>> CatalogueExchange::variantsToExport()
{
    std::vector<ExportedVariant> all = inIdentifierOrder(wholeCatalogue(document.catalogue()));
    std::optional<std::vector<ExportedVariant>> shown = filtered();
    if (!shown)
        return all;
    QMessageBox question(QMessageBox::Question, tr("Export"),
                         tr("The filter shows %1 of %n variant(s). Export only those, or the whole catalogue?",
                            nullptr, int(all.size()))
                                 .arg(shown->size()),
                         QMessageBox::Cancel, window);
    QPushButton *whole = question.addButton(tr("Whole catalogue"), QMessageBox::AcceptRole);
    QPushButton *onlyShown = question.addButton(tr("Only those shown"), QMessageBox::AcceptRole);
    question.setDefaultButton(whole);
    question.exec();
    if (question.clickedButton() == onlyShown)
        return shown;
    if (question.clickedButton() == whole)
        return all;
    return std::nullopt;
}

// The file chooser of Save as, starting where the catalogue choosers start, on the
// catalogue's name with `suffix`, which a name typed without one gets.
QString CatalogueExchange::askPath(const QString &caption, const QStringList &filters, const QString &suffix,
                                   QString *chosenFilter)
{
    QFileDialog chooser(window, caption, ChooserFolder::start(), filters.join(QStringLiteral(";;")));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(suffix);
    chooser.selectFile(catalogueName() + u'.' + suffix);
    if (chosenFilter && !chosenFilter->isEmpty())
        chooser.selectNameFilter(*chosenFilter);
    if (chooser.exec() != QDialog::Accepted)
        return {};
    if (chosenFilter)
        *chosenFilter = chooser.selectedNameFilter();
    return chooser.selectedFiles().value(0);
}

// The text of an export's progress.
QString CatalogueExchange::writingText(const QString &path)
{
    return tr("Writing %1…").arg(QFileInfo(path).fileName());
}

QString CatalogueExchange::catalogueName() const
{
    const QString name = QFileInfo(document.jsonPath()).completeBaseName();
    return name.isEmpty() ? tr("catalogue") : name;
}

// A list for customers shows no stock, so that is the default answer. The currency sign
// asked with it is kept for the next list.
std::unique_ptr<PriceListLayout> CatalogueExchange::askPriceListLayout(const std::vector<ExportedVariant> &variants)
{
    QMessageBox question(QMessageBox::Question, tr("Price list"), tr("Show the stock of each variant in the price list?"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window);
    question.setDefaultButton(QMessageBox::No);
    QWidget currencyField;
    Ui::CurrencyField currency;
    currency.setupUi(&currencyField);
    QSettings settings;
    currency.lineEditCurrency->setText(settings.value(currencyKey).toString());
    // Above the buttons, under the question.
    auto *grid = qobject_cast<QGridLayout *>(question.layout());
    QWidget *buttons = question.findChild<QDialogButtonBox *>();
    grid->removeWidget(buttons);
    const int row = grid->rowCount();
    grid->addWidget(&currencyField, row, 1);
    grid->addWidget(buttons, row + 1, 0, 1, grid->columnCount());
    question.exec();
    if (question.standardButton(question.clickedButton()) != QMessageBox::Yes
        && question.standardButton(question.clickedButton()) != QMessageBox::No)
        return nullptr;
    const QString sign = currency.lineEditCurrency->text().trimmed();
    settings.setValue(currencyKey, sign);
    auto layout = std::make_unique<PriceListLayout>(
            variants, catalogueName(), question.standardButton(question.clickedButton()) == QMessageBox::Yes);
    layout->setCurrency(sign);
    return layout;
}

// The forms a CSV export takes, in the chooser's order. The default is the one chosen last,
// or at first the one the interface's language suggests: spreadsheets set up in French
// split commas wrongly.
void CatalogueExchange::exportCsv(const std::vector<ExportedVariant> &variants)
{
    const QStringList forms { tr("CSV, comma-separated (*.csv)"),
                              tr("CSV for spreadsheets in French, semicolons and decimal commas (*.csv)"),
                              tr("CSV, plain UTF-8 (*.csv)") };
    enum Form { Commas, Semicolons, Plain };
    QSettings settings;
    const int byLanguage = PriceListModel::interfaceLocale().language() == QLocale::French ? Semicolons : Commas;
    QString chosen = forms.value(settings.value(csvFormKey, byLanguage).toInt(), forms[Commas]);
    const QString path = askPath(tr("Export as CSV"), forms, QStringLiteral("csv"), &chosen);
    if (path.isEmpty())
        return;
    const auto form = Form(std::max<qsizetype>(0, forms.indexOf(chosen)));
    settings.setValue(csvFormKey, int(form));
    const TableCopy table(CatalogueTable(variants, headers()));
    QByteArray bytes;
    if (!BackgroundWork::run(window, tr("Export"), writingText(path), 0, [&](const BackgroundWork::Progress &) {
            bytes = CsvText::write(table,
                                   form == Semicolons ? CsvText::Dialect::SemicolonDecimalComma : CsvText::Dialect::Comma,
                                   form != Plain);
            return true;
        }))
        return;
    save(path, [&] { return DiskFile::write(path, bytes, nullptr, giveUpIfLocked()); });
}

void CatalogueExchange::exportXlsx(const std::vector<ExportedVariant> &variants)
{
    const QString path = askPath(tr("Export as a spreadsheet"), { tr("Spreadsheets (*.xlsx)") }, QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    // The workbook is made on a worker thread, from a copy that no editor changes meanwhile.
    const TableCopy table(CatalogueTable(variants, headers()));
    const QString sheet = catalogueName();
    XlsxFile::Outcome workbook;
    if (!BackgroundWork::run(window, tr("Export"), writingText(path), table.rowCount(),
                             [&](const BackgroundWork::Progress &progress) {
                                 workbook = XlsxFile::write(table, sheet, progress);
                                 return !workbook.cancelled;
                             }))
        return;
    if (!workbook.error.isEmpty()) {
        report(tr("Could not save %1.").arg(QDir::toNativeSeparators(path)),
               { FileResult::WriteFailed, workbook.error, {} });
        return;
    }
    if (save(path, [&] { return DiskFile::write(path, workbook.bytes, nullptr, giveUpIfLocked()); })
        && workbook.cutTexts > 0)
        QMessageBox::information(window, tr("Export"),
                                 tr("%n text(s) longer than a spreadsheet cell holds (32,767 characters) were "
                                    "cut in %1; the catalogue keeps them whole.",
                                    nullptr, int(workbook.cutTexts))
                                         .arg(QFileInfo(path).fileName()));
}

void CatalogueExchange::exportPdf(const std::vector<ExportedVariant> &variants)
{
    const std::unique_ptr<PriceListLayout> layout = askPriceListLayout(variants);
    if (!layout)
        return;
    const QString path = askPath(tr("Export as a PDF price list"), { tr("PDF documents (*.pdf)") }, QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    writePdf(path, priceList(*layout, priceListPage()));
}

PagedDocument CatalogueExchange::priceList(PriceListLayout &layout, const QPageLayout &page) const
{
    return { PriceListLayout::title(catalogueName()), tr("Laying out the price list…"), layout.progressSteps(), page,
             [&layout](QPagedPaintDevice &device, const std::function<bool(std::size_t)> &progress) {
                 return layout.paint(device, progress);
             } };
}

// Pages are laid out with a progress dialog; the layout holds the variants it lists, so no
// editor may change them meanwhile.
bool CatalogueExchange::layOut(QPagedPaintDevice &device, const PagedDocument &pages)
{
    // The toolkit's own Cancel button, in the toolkit's words.
    QProgressDialog progress(window);
    progress.setWindowTitle(pages.title);
    progress.setLabelText(pages.progressText);
    progress.setRange(0, int(pages.count));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(300);
    const bool laidOut = pages.paint(device, [&progress](std::size_t done) {
        progress.setValue(int(done));
        return !progress.wasCanceled();
    });
    progress.reset();
    return laidOut;
}

// The PDF is laid out into memory, at a resolution that keeps photos small, and written as
// any export is, only when complete: a cancelled one leaves no file.
void CatalogueExchange::writePdf(const QString &path, const PagedDocument &pages)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool laidOut = false;
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(pages.page);
        writer.setResolution(300);
        writer.setTitle(pages.title);
        writer.setCreator(QStringLiteral("Kälviö"));
        laidOut = layOut(writer, pages);
    }
    if (!laidOut)
        return;
    save(path, [&] { return DiskFile::write(path, pdf.data(), nullptr, giveUpIfLocked()); });
}

// A file that "Print to file" names is checked before the toolkit opens it.
bool CatalogueExchange::mayWrite(const QString &file)
{
    const FileResult writable = DiskFile::checkWritable(file);
    if (!writable.ok())
        report(tr("Could not save %1.").arg(QDir::toNativeSeparators(file)), writable);
    return writable.ok();
}

void CatalogueExchange::printLabels(const std::vector<ExportedVariant> &variants, QWidget *parent)
{
    LabelsDialog dialog(variants, catalogueName(), *this, parent);
    dialog.exec();
}

void CatalogueExchange::savePdf(const PagedDocument &pages)
{
    const QString path = askPath(pages.title, { tr("PDF documents (*.pdf)") }, QStringLiteral("pdf"));
    if (!path.isEmpty())
        writePdf(path, pages);
}

// Printed as laid out, from the paper's corner; a file is written as an export is.
void CatalogueExchange::printPages(const PagedDocument &pages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(pages.page);
    printer.setDocName(pages.title);
    PrintDialog dialog(&printer, [this](const QString &file) { return mayWrite(file); }, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printsToFile(printer))
        writePdf(printer.outputFileName(), pages);
    else
        layOut(printer, pages);
}

void CatalogueExchange::print(const std::vector<ExportedVariant> &variants)
{
    const std::unique_ptr<PriceListLayout> layout = askPriceListLayout(variants);
    if (!layout)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(priceListPage());
    // The print dialog proposes the document's name as the name of a file.
    printer.setDocName(PriceListLayout::fileName(catalogueName()));
    QPrintPreviewDialog preview(&printer, window);
    // A file is written as an export is: the toolkit would open the name itself, through
    // another user's link or into a FIFO that blocks.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &layout](QPrinter *device) {
        if (printsToFile(*device))
            writePdf(device->outputFileName(), priceList(*layout, device->pageLayout()));
        else
            layout->paint(*device, [](std::size_t) { return true; });
    });
    // The preview's Print asks in a dialog that checks the file before the toolkit opens it.
    PrintDialog printDialog(&printer, [this](const QString &file) { return mayWrite(file); }, &preview);
    // The toolkit's action, in the toolkit's words, which its own translation gives.
    const char *toolkit = "QPrintPreviewDialog";
    for (QAction *action : preview.findChildren<QAction *>()) {
        if (action->text() != QCoreApplication::translate(toolkit, "Print"))
            continue;
        action->disconnect(&preview);
        connect(action, &QAction::triggered, &preview, [&preview, &printDialog] {
            if (printDialog.exec() != QDialog::Accepted)
                return;
            preview.findChild<QPrintPreviewWidget *>()->print();
            preview.accept();
        });
    }
    preview.exec();
}

// Nothing changes before the user has seen what would, and applied it; then the changes
// are one step of the history.
void CatalogueExchange::importPrices()
{
    const QString path = QFileDialog::getOpenFileName(window, tr("Import prices and stock"), ChooserFolder::start(),
                                                      tr("CSV files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    // Headers as the export writes them in either language, and as the source says them.
    ImportColumnNames names;
    QTranslator french;
    const bool hasFrench = french.load(QStringLiteral(":/i18n/Kalvio_fr_FR"));
    const auto namesOf = [&](CatalogueTable::Column column) {
        const char *name = CatalogueTable::columnNames[column];
        QStringList all { QString::fromLatin1(name), QCoreApplication::translate("CatalogueTable", name) };
        if (hasFrench)
            all << french.translate("CatalogueTable", name);
        return all;
    };
    names.identifier = namesOf(CatalogueTable::Identifier);
    names.price = namesOf(CatalogueTable::Price);
    names.stock = namesOf(CatalogueTable::Stock);
    for (int column = 0; column < CatalogueTable::ColumnCount; ++column)
        if (column != CatalogueTable::Identifier && column != CatalogueTable::Price && column != CatalogueTable::Stock)
            names.ignored << namesOf(CatalogueTable::Column(column));

    QByteArray bytes;
    const FileResult file = DiskFile::read(path, PriceImport::maxFileSize, bytes);
    const QString what = tr("Could not import %1.").arg(QDir::toNativeSeparators(path));
    if (!file.ok() && file.outcome != FileResult::TooLarge)
        return report(what, file);
    // The file is read off the event loop; its progress dialog keeps every window from
    // changing the catalogue meanwhile. A Cancel, taken once the reading ends, drops the
    // import at its start; later readings, for the columns chosen, are shown all the same.
    bool cancelled = false;
    const auto previewWith = [&](const ImportMapping &mapping) {
        names.chosen = mapping;
        ImportPreview preview;
        cancelled = !BackgroundWork::run(window, tr("Import prices and stock"),
                                         tr("Reading %1…").arg(QFileInfo(path).fileName()), 0,
                                         [&](const BackgroundWork::Progress &) {
                                             preview = PriceImport::preview(bytes, document.catalogue(), names);
                                             return true;
                                         });
        return preview;
    };
    ImportPreview preview = file.ok() ? previewWith({}) : ImportPreview();
    if (cancelled)
        return;
    if (!preview.recognised)
        if (const ImportMapping remembered = rememberedMapping(preview.headers); !remembered.empty())
            preview = previewWith(remembered);
    QString refusal;
    switch (file.ok() ? preview.outcome : ImportPreview::FileFailed) {
    case ImportPreview::Read:
    case ImportPreview::NoIdentifierColumn:
    case ImportPreview::NoPriceOrStockColumn:
        break;
    case ImportPreview::FileFailed:
        if (file.ok())
            return report(what, preview.file);
        refusal = tr("The file is larger than %1 MB, too large to import.").arg(PriceImport::maxFileSize >> 20);
        break;
    case ImportPreview::Binary:
        refusal = tr("The file is not text: it holds binary data.");
        break;
    case ImportPreview::NotUtf8:
        refusal = tr("The file is not UTF-8 text. Save it from its program as CSV in UTF-8, then import it.");
        break;
    case ImportPreview::FieldTooLong:
        refusal = tr("A field that begins on line %1 is longer than any text of a catalogue (%2 MB).")
                          .arg(preview.longFieldLine)
                          .arg(SetOfFurnitures::maxTextSize >> 20);
        break;
    case ImportPreview::TooMuchContent:
        refusal = tr("Importing it would take more than %1 MB of memory.").arg(SetOfFurnitures::maxOpeningMemory >> 20);
        break;
    }
    if (!refusal.isEmpty()) {
        QMessageBox::warning(window, tr("Error"), what + u' ' + refusal);
        return;
    }
    const QString fileName = QFileInfo(path).fileName();
    ImportPreviewDialog dialog(std::move(preview), fileName, previewWith, [this](const QString &report, const QByteArray &csv) {
        save(report, [&] { return DiskFile::write(report, csv, nullptr, giveUpIfLocked()); });
    }, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ImportPreview &applied = dialog.preview();
    if (dialog.mappingAsked())
        rememberMapping(applied.headers, applied.mapping);
    std::size_t prices = 0, stocks = 0;
    for (std::size_t i = 0; i < applied.changes.size(); ++i) {
        const ImportedChange &change = applied.changes[i];
        prices += dialog.ticked()[i] && change.newPrice != change.oldPrice;
        stocks += dialog.ticked()[i] && change.newStock != change.oldStock;
    }
    if (prices + stocks > 0)
        document.push(new ValuesCommand(document.catalogue(), applied.newValues(dialog.ticked()),
                                        tr("Import of %1").arg(fileName)));
    QString told = tr("Import of %1: %2 and %3 changed")
                           .arg(fileName, tr("%n price(s)", nullptr, int(prices)), tr("%n stock(s)", nullptr, int(stocks)));
    if (applied.unreadCount > 0)
        told = tr("%1, %n row(s) refused", nullptr, int(applied.unreadCount)).arg(told);
    if (auto *main = qobject_cast<QMainWindow *>(window))
        main->statusBar()->showMessage(told, statusTimeoutMs);
}

// The roles chosen for the columns of a file with these headers, the last time one was
// imported; none where none were.
ImportMapping CatalogueExchange::rememberedMapping(const std::vector<std::string> &headers)
{
    const QString roles = QSettings().value(importMappingsKey).toMap().value(mappingKeyOf(headers)).toString();
    ImportMapping mapping;
    for (QChar role : roles)
        mapping.push_back(ImportColumn(std::clamp(role.unicode() - u'0', 0, int(ImportColumn::Ignore))));
    return mapping.size() == headers.size() ? mapping : ImportMapping();
}

void CatalogueExchange::rememberMapping(const std::vector<std::string> &headers, const ImportMapping &mapping)
{
    QString roles;
    for (ImportColumn role : mapping)
        roles += QChar(u'0' + int(role));
    QSettings settings;
    QVariantMap mappings = settings.value(importMappingsKey).toMap();
    mappings.insert(mappingKeyOf(headers), roles);
    settings.setValue(importMappingsKey, mappings);
}

// The headers as one text, tabs between them, which no header holds once read.
QString CatalogueExchange::mappingKeyOf(const std::vector<std::string> &headers)
{
    QStringList names;
    for (const std::string &header : headers)
        names << QString::fromStdString(header).trimmed();
    return names.join(u'\t');
}
