#include "backgroundwork.h"
#include "commandline.h"
#include "edit.h"
#include "importpreviewdialog.h"
#include "labellayout.h"
#include "languagechoice.h"
#include "mainwindow.h"
#include "mergeconflictsdialog.h"
#include "photofolders.h"
#include "pricelist.h"
#include "pricelistmodel.h"
#include "priceimport.h"
#include "pricelistlayout.h"
#include "recentfiles.h"
#include "recoverycopy.h"
#include "scantyping.h"
#include "userguide.h"
#include "testsupport.h"
#include "valueschangedialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QScopeGuard>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QTranslator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// What the editor and the main window show and do, played as the user would: the
// scenarios are in tests/data/editorScenarios.tsv and windowScenarios.tsv.
class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        // The choosers' remembered folder goes to a test location, not the user's settings.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(plurals.load(":/i18n/Kalvio_en") && QApplication::installTranslator(&plurals));
        RecentFiles().clear();
    }
    void cleanup()
    {
        RecentFiles().clear();
        QSettings().remove("export");
        Edit::document().clear();
        PhotoFolders::setCatalogueFolder({});
        QSettings().remove("import/mappings");
    }
    void editor_data() { addRows("editorScenarios"); }
    void editor() { play(cell("steps"), scratch); }
    void window_data() { addRows("windowScenarios"); }
    void window() { play(cell("steps"), scratch); }
    // The command line's outcome: exit code or "run", language, catalogue, first line printed.
    void commandLine_data() { addRows("commandLine"); }
    void commandLine()
    {
        const CommandLine line(QStringList("kalvio") + cell("arguments").split(u' ', Qt::SkipEmptyParts));
        const QString outcome = line.exitCode() ? QString::number(*line.exitCode()) : "run";
        QCOMPARE(QStringList({ outcome, line.language(), line.catalogue(), line.message().section(u'\n', 0, 0).trimmed() }).join(u'|'), cell("outcome"));
    }
    // Each answer to the start's language question ("-" cancels it): "offered>returned".
    void languageChoice_data() { addRows("languageChoice"); }
    void languageChoice();
    // F1 in each language: the heading at the guide's top, then the one a link leads to.
    void userGuide_data() { addRows("userGuide"); }
    void userGuide();
    void unchangedSaveAndDeleteTouchOnlyTheOpenedVariant();
    void progressShownOfLongWork_data();
    void progressShownOfLongWork();
    void priceListReadsBack();
    void labelSheets_data();
    void labelSheets();
    void labelsReadBack_data();
    void labelsReadBack();
    void scanning_data();
    void scanning();
    void priceListTyping_data();
    void priceListTyping();
    void priceListFollowsTheCatalogue();
    void priceListNumbers_data();
    void priceListNumbers();
    void priceListColumnsRemembered();
    void valuesChangeDialogs_data();
    void valuesChangeDialogs();
    void mergeConflictsShownAndDecided();
    void inUseQuestion_data() { addRows("inUseQuestion"); }
    void inUseQuestion();
    void recoveryQuestion_data();
    void recoveryQuestion();
    void importMappingAndReport();

private:
    ScratchTree scratch;
    QTranslator plurals;
};

void TestWindows::languageChoice()
{
    QSettings().remove("language");
    const auto forget = qScopeGuard([] { QSettings().remove("language"); });
    QStringList asked;
    for (const QString &answer : cell("answers").split(u' ')) {
        QString offered;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (auto *question = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                poll.stop();
                offered = question->textValue();
                if (answer == "-")
                    return question->reject();
                question->setTextValue(answer);
                question->accept();
            }
        });
        poll.start(10);
        const QString chosen = LanguageChoice::ask();
        asked << offered + '>' + chosen;
    }
    QCOMPARE(asked.join(u' '), cell("asked"));
}

void TestWindows::userGuide()
{
    QTranslator language;
    if (!cell("translation").isEmpty())
        QVERIFY(language.load(cell("translation")) && QApplication::installTranslator(&language));
    const auto restore = qScopeGuard([&language] { QApplication::removeTranslator(&language); });
    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F1);
    UserGuide *guide = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *shown = qobject_cast<UserGuide *>(widget); shown && shown->isVisible())
            guide = shown;
    QVERIFY(guide);
    auto *browser = guide->findChild<QTextBrowser *>();
    const auto top = [browser] { return browser->cursorForPosition(QPoint(browser->viewport()->width() / 2, 5)).block().text(); };
    QStringList shown { top() };
    QTextCursor link(browser->document());
    int pictures = 0;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.anchorHref() == cell("link") && link.position() == 0)
                link.setPosition(fragment.fragment().position() + 1);
            if (format.isImageFormat()) {
                const QUrl picture(format.toImageFormat().name());
                QVERIFY2(!QImage::fromData(browser->loadResource(QTextDocument::ImageResource, picture).toByteArray()).isNull(),
                         qPrintable(picture.toString()));
                ++pictures;
            }
        }
    QCOMPARE(pictures, cell("pictures").toInt());
    QVERIFY(link.position() > 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
    shown << top();
    QCOMPARE(shown.join(u'>'), cell("shown"));
}

// Over random catalogues with identifiers of every shape, shared within and across
// elements and by a file opened twice: Edit then Save of every variant changes no byte of
// the saved file, and a Delete takes exactly the opened variant (and an element it empties).
void TestWindows::unchangedSaveAndDeleteTouchOnlyTheOpenedVariant()
{
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator random(seed);
        fillRandomCatalogue(random);
        QVERIFY(Edit::sof.save(scratch.path("before.json")).ok());
        for (std::size_t e = 0; e < Edit::sof.getFurnitures().size(); ++e)
            for (std::size_t v = 0; v < Edit::sof.getFurnitures()[e]->getForms().size(); ++v)
                play(QString("open %1 %2 ; press Edit ; press Save").arg(e).arg(v), scratch);
        QVERIFY(Edit::sof.save(scratch.path("after.json")).ok());
        QCOMPARE(readFile(scratch.path("after.json")), readFile(scratch.path("before.json")));

        const QStringList before = catalogueSummary();
        QStringList after = before;
        const int e = random.bounded(int(after.size())), v = random.bounded(int(Edit::sof.getFurnitures()[e]->getForms().size()));
        QStringList variants = after[e].section(u'|', 2).split(u',');
        variants.removeAt(v);
        after[e] = after[e].section(u'|', 0, 1) + '|' + variants.join(u',');
        if (variants.isEmpty())
            after.removeAt(e);
        play(QString("open %1 %2 ; answer default ; press Delete ; asked Confirmation|Are you sure you want to remove this item?|&No"
                     " ; summary %3 ; answer Yes ; press Delete ; editor closed ; summary %4")
                     .arg(e).arg(v).arg(before.join(" + "), after.join(" + ")),
             scratch);
    }
}

// The sample catalogue's price list as pdftotext (Debian's poppler-utils) reads it: the
// title, every identifier and price (with a currency sign in French), "Page N of M", and
// the stock only when asked for.
void TestWindows::priceListReadsBack()
{
    QVERIFY(Edit::sof.load(QFINDTESTDATA("../json/shop.json")).ok());
    // An element without a height and a weight.
    Furniture *first = Edit::sof.getFurnitures().front();
    first->setDim(Dimension(first->getDim().getLength(), "", first->getDim().getWidth(), " "));
    const std::vector<ExportedVariant> variants = inIdentifierOrder(wholeCatalogue(Edit::sof));
    // In French, on a system whose locale is English: the interface's language decides.
    QTranslator french;
    QVERIFY(french.load(":/i18n/Kalvio_fr_FR"));
    for (const bool showStock : { false, true }) {
        if (showStock)
            QApplication::installTranslator(&french);
        const QLocale shown(showStock ? "fr_FR" : "en_US");
        const QString pdf = scratch.path(QString("list%1.pdf").arg(showStock));
        {
            QPdfWriter writer(pdf);
            PriceListLayout layout(variants, "shop", showStock);
            layout.setCurrency(showStock ? "€" : "");
            QVERIFY(layout.paint(writer, [](std::size_t) { return true; }));
        }
        QProcess reader;
        reader.start("pdftotext", { "-layout", pdf, "-" });
        QVERIFY(reader.waitForFinished(30000) && reader.exitCode() == 0);
        const QString text = QString::fromUtf8(reader.readAllStandardOutput()).replace(QChar::Nbsp, u' ');
        QApplication::removeTranslator(&french);
        QVERIFY(text.contains(showStock ? "Liste de prix : shop" : "Price list: shop"));
        QVERIFY(text.contains(shown.toString(QDate::currentDate(), QLocale::LongFormat)));
        QVERIFY(!text.contains(QRegularExpression("(height|hauteur|weight|poids) *[,\\n]")));
        QVERIFY(text.contains(QRegularExpression(showStock ? "Longueur \\d+, largeur \\d+" : "Length \\d+, width \\d+")));
        // Every page says how many there are.
        const QString pages = showStock ? "Page %1 sur %2" : "Page %1 of %2";
        const QString last = QRegularExpression(pages.arg("1", "(\\d+)")).match(text).captured(1);
        QVERIFY(last.toInt() > 1);
        QCOMPARE(text.count(QRegularExpression(pages.arg("\\d+", last))), last.toInt());
        QCOMPARE(text.contains("Stock"), showStock);
        for (const ExportedVariant &each : variants) {
            const QString price = showStock ? shown.toCurrencyString(each.variant->getPrice(), "€", 2)
                                            : shown.toString(each.variant->getPrice(), 'f', 2);
            const QString row = QString::fromStdString(each.variant->getId()) + ".*"
                    + QRegularExpression::escape(QString(price).replace(QChar::Nbsp, u' '))
                    + (showStock ? ".*" + QString::number(each.variant->getStock()) : "");
            QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(row));
        }
    }
}

// Where the first, a middle and the last label of each sheet lie, in millimetres, as the
// sheets' makers give them; every label lies within its page.
void TestWindows::labelSheets_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("place");
    QTest::addColumn<QPointF>("corner");
    const std::pair<const char *, std::tuple<int, int, QPointF>> rows[] = {
        { "A4 3x8 first", { 0, 0, { 0, 0.5 } } },          { "A4 3x8 middle", { 0, 10, { 70, 111.5 } } },
        { "A4 3x8 last", { 0, 23, { 140, 259.5 } } },      { "A4 3x7 last", { 1, 20, { 140, 254.25 } } },
        { "A4 2x7 first", { 2, 0, { 4.65, 15.15 } } },     { "A4 2x7 middle", { 2, 7, { 106.25, 129.45 } } },
        { "A4 2x7 last", { 2, 13, { 106.25, 243.75 } } },  { "A4 4x10 middle", { 3, 18, { 105, 123.1 } } },
        { "A4 4x10 last", { 3, 39, { 153.5, 250.1 } } },   { "Letter 3x10 first", { 4, 0, { 4.7625, 12.7 } } },
        { "Letter 3x10 last", { 4, 29, { 144.4625, 241.3 } } },
    };
    for (const auto &[name, row] : rows)
        QTest::newRow(name) << std::get<0>(row) << std::get<1>(row) << std::get<2>(row);
}

void TestWindows::labelSheets()
{
    QFETCH(int, sheet);
    QFETCH(int, place);
    QFETCH(QPointF, corner);
    const LabelSheet labels = LabelSheet::common().at(std::size_t(sheet));
    const QRectF label = labels.label(place);
    QVERIFY2(qAbs(label.x() - corner.x()) < 0.001 && qAbs(label.y() - corner.y()) < 0.001,
             qPrintable(QString("%1, %2").arg(label.x()).arg(label.y())));
    const QRectF page = labels.pageLayout().fullRect(QPageLayout::Millimeter);
    QVERIFY(page.adjusted(-0.01, -0.01, 0.01, 0.01).contains(labels.label(labels.perPage() - 1)));
}

// Labels of the sample's variants as a PDF, read back by pdftotext (names, prices,
// identifiers) and their barcodes by an independent decoder, zbarimg (Debian's zbar-tools),
// from pdftoppm's images. An identifier too long for the label gets no barcode at all.
void TestWindows::labelsReadBack_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("longIdentifier");
    QTest::newRow("Code 128, A4 3x8") << 0 << int(Barcode::Code128) << "";
    QTest::newRow("Code 128, A4 4x10, one too long") << 3 << int(Barcode::Code128) << "001.002.003.004.005.006.007";
    QTest::newRow("QR, Letter 3x10") << 4 << int(Barcode::QrCode) << "";
    QTest::newRow("QR, one per page") << -1 << int(Barcode::QrCode) << "";
}

void TestWindows::labelsReadBack()
{
    QFETCH(int, sheet);
    QFETCH(int, kind);
    QFETCH(QString, longIdentifier);
    QVERIFY(Edit::sof.load(QFINDTESTDATA("../json/shop.json")).ok());
    std::vector<ExportedVariant> variants = inIdentifierOrder(wholeCatalogue(Edit::sof));
    variants.resize(5);
    Form *last = const_cast<Form *>(variants.back().variant);
    if (!longIdentifier.isEmpty())
        *last = Form(longIdentifier.toStdString(), last->getPhoto(), last->getColor(), last->getPrice(), last->getStock());
    LabelOptions options;
    options.sheet = sheet < 0 ? LabelSheet::onePerPage({ 50, 30 }) : LabelSheet::common().at(std::size_t(sheet));
    options.first = 2;
    options.barcode = Barcode::Kind(kind);
    options.currency = "€";
    LabelLayout layout(variants, options);
    QCOMPARE(layout.barcodesLeftOut(), std::size_t(longIdentifier.isEmpty() ? 0 : 1));
    const QString pdf = scratch.path("labels.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setPageLayout(layout.sheet().pageLayout());
        writer.setResolution(300);
        QVERIFY(layout.paint(writer, [](std::size_t) { return true; }));
    }
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString text = run("pdftotext", { "-layout", pdf, "-" });
    QSet<QString> identifiers;
    for (const ExportedVariant &each : variants) {
        const QString id = QString::fromStdString(each.variant->getId());
        QVERIFY2(text.contains(id), qPrintable(id));
        QVERIFY(text.contains(QString::fromStdString(each.element->getName()).left(6)));
        QVERIFY(text.contains(QLocale("en_US").toCurrencyString(each.variant->getPrice(), "€", 2)));
        if (id != longIdentifier)
            identifiers << id;
    }
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        QSKIP("zbarimg (Debian's zbar-tools) is not installed");
    run("pdftoppm", { "-r", "300", "-png", pdf, scratch.path("labels") });
    QStringList images;
    for (const QFileInfo &image : QDir(scratch.path("")).entryInfoList({ "labels*.png" }))
        images << image.filePath();
    const QStringList decoded = run("zbarimg", QStringList { "--quiet", "--raw" } + images).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(QSet<QString>(decoded.begin(), decoded.end()), identifiers);
    QCOMPARE(decoded.size(), identifiers.size());
}

// A scanner types a code 10 ms a key then Return, a person 150 ms a key: into the main
// window's tree or the price list's table. A scan goes to the filter, which opens the one
// variant of its identifier, selects several, or says none has it, and never types into the
// current cell; a person's keys stay the view's own, a stock typed over included.
void TestWindows::scanning_data()
{
    QTest::addColumn<bool>("list");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("tree, scanner, one") << false << 10 << "2.1.1" << "editor";
    QTest::newRow("tree, scanner, two") << false << 10 << "1.1.1" << "selected 2";
    QTest::newRow("tree, scanner, none") << false << 10 << "9.9.9" << "No variant 9.9.9";
    QTest::newRow("tree, person") << false << 150 << "2.1.1" << "typed";
    QTest::newRow("tree, words finding one variant") << false << 10 << "table" << "editor";
    QTest::newRow("list, scanner, one") << true << 10 << "2.1.1" << "selected 1";
    QTest::newRow("list, scanner, two") << true << 10 << "1.1.1" << "selected 2";
    QTest::newRow("list, scanner, none") << true << 10 << "9.9.9" << "No variant 9.9.9";
    QTest::newRow("list, person") << true << 150 << "2.1.1" << "typed";
    QTest::newRow("list, scanner, over a current stock") << true << 10 << "2.1.1" << "selected 1, stocks kept";
    QTest::newRow("list, person, over a current stock") << true << 150 << "7" << "typed, stock 7";
}

void TestWindows::scanning()
{
    QFETCH(bool, list);
    QFETCH(int, gap);
    QFETCH(QString, code);
    QFETCH(QString, outcome);
    fillCatalogue({ "A|chair|red|1.1.1,1.1.2", "B|table|oak|2.1.1", "C|lamp|red|1.1.1" });
    MainWindow window;
    window.show();
    std::unique_ptr<PriceList> priceList;
    QAbstractItemView *view = window.findChild<QTreeView *>("treeView");
    QLineEdit *filter = window.findChild<QLineEdit *>("lineEditFilter");
    if (list) {
        priceList = std::make_unique<PriceList>(Edit::document());
        priceList->show();
        view = priceList->findChild<QTableView *>("tableViewVariants");
        filter = priceList->findChild<QLineEdit *>("lineEditListFilter");
    }
    view->setFocus();
    if (outcome.contains("stock"))
        view->setCurrentIndex(view->model()->index(0, int(VariantOrder::Stock)));
    ulong at = 1000;
    for (const QChar key : code + u'\r') {
        const int qtKey = key == u'\r' ? Qt::Key_Return : key.unicode();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, key == u'\r' ? QString() : QString(key));
        press.setTimestamp(at += ulong(gap));
        // A person's pause lets the keys held go; an open cell's editor has the keys.
        if (gap > int(ScanTyping::scannerGapMs))
            QTest::qWait(int(ScanTyping::scannerGapMs) * 2);
        QLineEdit *editor = view->viewport()->findChild<QLineEdit *>();
        QApplication::sendEvent(editor && editor->isVisible() ? static_cast<QWidget *>(editor) : view, &press);
    }
    if (outcome.contains("stock")) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList stocks;
        for (const Furniture *element : Edit::document().catalogue().getFurnitures())
            for (const Form &form : element->getForms())
                stocks << QString::number(form.getStock());
        stocks.sort();
        QCOMPARE(stocks.join(u' '), outcome.endsWith("stock 7") ? "1 1 1 7" : "1 1 1 1");
    }
    // An editor is the main window's, and goes with it.
    const auto editors = [&window] {
        return std::count_if(window.children().begin(), window.children().end(), [](const QObject *child) {
            return qobject_cast<const Edit *>(child) && static_cast<const Edit *>(child)->isVisible();
        });
    };
    if (outcome.startsWith("typed")) {
        QVERIFY(filter->text().isEmpty());
        QCOMPARE(editors(), 0);
        return;
    }
    QCOMPARE(filter->text(), code);
    if (outcome.startsWith("No variant")) {
        QCOMPARE(list ? priceList->findChild<QLabel *>("labelMessage")->text() : window.statusBar()->currentMessage(), outcome);
        QVERIFY(filter->hasSelectedText() && filter->selectedText() == code);
        return;
    }
    QCOMPARE(editors(), outcome == "editor" ? 1 : 0);
    if (outcome == "editor")
        return;
    QCOMPARE(view->selectionModel()->selectedRows().size(), outcome.section(u' ', 1, 1).remove(u',').toInt());
    for (const QModelIndex &row : view->selectionModel()->selectedRows())
        QCOMPARE(row.data().toString(), code);
    QCOMPARE(view->currentIndex().column(), list ? int(VariantOrder::Stock) : 0);
}

void TestWindows::priceListTyping_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("outcome");
    const int price = VariantOrder::Price, stock = VariantOrder::Stock;
    QTest::addRow("the price as it stands, in other words") << price << "10,00" << "taken 0 10 1";
    QTest::addRow("a price") << price << "12,5" << "taken 1 12.5 1";
    QTest::addRow("a price below 1") << price << "0.99" << "taken 1 0.99 1";
    QTest::addRow("a price past four digits, with thousands") << price << "12 345" << "taken 1 12345 1";
    QTest::addRow("a price past the most a file holds") << price << "100000000" << "refused 0 10 1";
    QTest::addRow("a price of three decimals") << price << "1.234" << "refused 0 10 1";
    QTest::addRow("an emptied price") << price << "" << "refused 0 10 1";
    QTest::addRow("the stock as it stands, in other words") << stock << "01" << "taken 0 10 1";
    QTest::addRow("an emptied stock is 0") << stock << "" << "taken 1 10 0";
    QTest::addRow("a stock of five digits") << stock << "99999" << "taken 1 10 99999";
    QTest::addRow("a stock of six digits") << stock << "123456" << "taken 1 10 123456";
    QTest::addRow("a stock past the most a file holds") << stock << "2147483648" << "refused 0 10 1";
    QTest::addRow("a negative stock") << stock << "-1" << "refused 0 10 1";
    QTest::addRow("the identifier") << int(VariantOrder::Identifier) << "9" << "not editable 0 10 1";
    QTest::addRow("the stock value") << int(VariantOrder::StockValue) << "20" << "not editable 0 10 1";
}

// A value typed into the list over a variant of price 10 and stock 1: taken under the
// editor's typing rules, as a step of the history where it changes the value, or refused
// and said so. Then the history's steps, the price and the stock.
void TestWindows::priceListTyping()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    fillCatalogue({ "A|x|red|001.001.001" });
    PriceListModel model(Edit::document(), nullptr);
    QSignalSpy refusals(&model, &PriceListModel::editRefused);
    const bool taken = model.setData(model.index(0, column), typed);
    const Form &form = Edit::sof.getFurnitures()[0]->getForms()[0];
    const QString outcome = taken ? "taken" : refusals.isEmpty() ? "not editable" : "refused";
    QTEST(QString("%1 %2 %3 %4").arg(outcome).arg(Edit::document().history().count()).arg(form.getPrice()).arg(form.getStock()), "outcome");
}

namespace {

// The list's rows, "identifier price stock value", "!" where the stock is low.
QString listedRows(const PriceListModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList texts;
        for (int column : { 0, 4, 5, 6 })
            texts << model.index(row, column).data().toString();
        rows << texts.join(u' ') + (model.index(row, VariantOrder::Stock).data(Qt::DecorationRole).isNull() ? "" : "!");
    }
    return rows.join(" + ");
}

} // namespace

// The list follows what changes in the catalogue: changed values in the rows where they
// stand, sorted or filtered by them or not, until the list is sorted or filtered again; the
// sort over variants that come.
void TestWindows::priceListFollowsTheCatalogue()
{
    fillCatalogue({ "A|x|red|001.001.001,001.001.002", "B|y|blue|002.001.001" });
    PriceListModel model(Edit::document(), nullptr);
    playCatalogue("values 0 1 2.5 5", scratch);
    model.setLowStock(2, true);
    QCOMPARE(listedRows(model), "001.001.001 10.00 1 10.00! + 002.001.001 10.00 1 10.00!");
    playCatalogue("values 1 0 10 3", scratch);
    QCOMPARE(listedRows(model), "001.001.001 10.00 1 10.00! + 002.001.001 10.00 3 30.00");
    model.setLowStock(2, false);
    QCOMPARE(listedRows(model), "001.001.001 10.00 1 10.00! + 001.001.002 2.50 5 12.50 + 002.001.001 10.00 3 30.00");
    model.sort(VariantOrder::Stock, Qt::AscendingOrder);
    playCatalogue("values 0 0 10 9", scratch);
    QCOMPARE(listedRows(model), "001.001.001 10.00 9 90.00 + 002.001.001 10.00 3 30.00 + 001.001.002 2.50 5 12.50");
    model.setFilter("green");
    QCOMPARE(listedRows(model), "");
    playCatalogue("change 1 0 B|y|d|1|2|3|4|s|p.png|green|10|3", scratch);
    QCOMPARE(listedRows(model), "");
    model.setFilter("green ");
    QCOMPARE(listedRows(model), "002.001.001 10.00 3 30.00");
    model.setFilter("");
    model.sort(VariantOrder::Price, Qt::DescendingOrder);
    playCatalogue("add 001.001.003 A|x|d|1|2|3|4|s|p.png|oak|20|1", scratch);
    QCOMPARE(listedRows(model), "001.001.003 20.00 1 20.00! + 001.001.001 10.00 9 90.00 + 002.001.001 10.00 3 30.00 + 001.001.002 2.50 5 12.50");
    // Tabs and line breaks of a copied text would break its line into cells.
    playCatalogue("change 0 0 A|x|d|1|2|3|4|s|p.png|a\tb\nc|10|1", scratch);
    QCOMPARE(model.tabSeparated({ 1 }, { 0, 1, 2, 3, 4, 5, 6 }).section(u'\n', 1), "001.001.001\tA\tx\ta b c\t10.00\t1\t10.00\n");
}

void TestWindows::priceListNumbers_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("copied");
    // A stock of 2502 and a description "a⏎b"; the stock is low at 9999.
    QTest::addRow("English") << "en" << 1437.6 << "1234.50"
                             << "1,437.60|2,502|3,596,875.20|1,234.50|a b|Low stock: 9,999 or fewer|1437.6"
                             << "1437.60|2502|3596875.20|1234.50|a b";
    QTest::addRow("French") << "fr_FR" << 1437.6 << "1234.50"
                            << "1\u202f437,60|2\u202f502|3\u202f596\u202f875,20|1\u202f234,50|a b|Stock faible : 9\u202f999 ou moins|1437,6"
                            << "1437,60|2502|3596875,20|1234,50|a b";
    QTest::addRow("a price of more decimals than two") << "fr_FR" << 1.005 << "1000"
                                                       << "1,005|2\u202f502|2\u202f514,51|1\u202f000|a b|Stock faible : 9\u202f999 ou moins|1,005"
                                                       << "1,005|2502|2514,51|1000|a b";
    QTest::addRow("measures that are texts") << "fr_FR" << 2.0 << "045"
                                             << "2,00|2\u202f502|5\u202f004,00|045|a b|Stock faible : 9\u202f999 ou moins|2"
                                             << "2,00|2502|5004,00|045|a b";
}

// The numbers of the list, as shown and as copied, in the interface's language: the
// columns Price, Stock, Stock value, Length and Description, then a tooltip and the price
// as a cell in edit shows it.
void TestWindows::priceListNumbers()
{
    QFETCH(QString, language);
    QFETCH(double, price);
    QTranslator translator;
    QVERIFY(translator.load(":/i18n/Kalvio_" + language) && QApplication::installTranslator(&translator));
    const auto uninstall = qScopeGuard([&translator] { QApplication::removeTranslator(&translator); });
    Edit::document().clear();
    Edit::sof.addFurniture(new Furniture("C", "n", "a\nb", "d", Dimension(cell("length").toStdString(), "", "", ""),
                                         { Form("1.1.1", "", "red", price, 2502) }));
    PriceListModel model(Edit::document(), nullptr);
    model.setLowStock(9999, false);
    const std::vector<int> columns { VariantOrder::Price, VariantOrder::Stock, VariantOrder::StockValue,
                                     VariantOrder::Length, VariantOrder::Description };
    QStringList shown;
    for (int column : columns)
        shown << model.index(0, column).data().toString();
    shown << model.index(0, 0).data(Qt::ToolTipRole).toString() << model.index(0, VariantOrder::Price).data(Qt::EditRole).toString();
    QCOMPARE(shown.join(u'|'), cell("shown"));
    // The description's tooltip keeps its line break.
    const QString tip = model.index(0, VariantOrder::Description).data(Qt::ToolTipRole).toString();
    QCOMPARE(QTextDocumentFragment::fromHtml(tip).toPlainText(), "a\nb");
    QCOMPARE(model.tabSeparated({ 0 }, columns).section(u'\n', 1, 1).replace(u'\t', u'|'), cell("copied"));
}

// The header's menu hides a column; what is shown, in which order and how wide, comes back
// when the list opens again, but not its sort. No column gets narrower than its title.
void TestWindows::priceListColumnsRemembered()
{
    const QString key = "priceList/columns";
    QSettings().remove(key);
    const auto forget = qScopeGuard([&key] { QSettings().remove(key); });
    fillCatalogue({ "A|x|red|001.001.001" });
    // The columns shown, the header line copied, the sort, and whether every column is
    // as wide as its title.
    const auto state = [](QTableView *table) {
        const QHeaderView *header = table->horizontalHeader();
        QStringList titles;
        bool wide = true;
        for (int place = 0; place < header->count(); ++place) {
            const int column = header->logicalIndex(place);
            wide = wide && header->sectionSize(column) >= header->sectionSizeHint(column);
            if (!header->isSectionHidden(column))
                titles << header->model()->headerData(column, Qt::Horizontal).toString();
        }
        table->selectRow(0);
        QApplication::setActiveWindow(table->window());
        table->setFocus();
        QTest::keySequence(table, QKeySequence::Copy);
        return QStringList({ titles.join(u'|'), QGuiApplication::clipboard()->text().section(u'\n', 0, 0).replace(u'\t', u'|'),
                             QString::number(header->sortIndicatorSection()), wide ? "wide" : "narrow" }).join(" / ");
    };
    auto list = std::make_unique<PriceList>(Edit::document());
    list->show();
    auto *table = list->findChild<QTableView *>();
    QHeaderView *header = table->horizontalHeader();
    const QString defaults = "Identifier|Category|Name|Colour|Price|Stock|Stock value";
    QCOMPARE(state(table), defaults + " / " + defaults + " / -1 / wide");
    header->resizeSection(VariantOrder::Stock, 3);
    QTRY_COMPARE(header->sectionSize(VariantOrder::Stock), header->sectionSizeHint(VariantOrder::Stock));
    header->resizeSection(VariantOrder::Identifier, 150);
    header->moveSection(header->visualIndex(VariantOrder::Price), 0);
    table->sortByColumn(VariantOrder::Stock, Qt::DescendingOrder);
    auto *menu = list->findChild<QMenu *>("menuColumns");
    QStringList offered;
    for (const QAction *action : menu->actions())
        offered << action->text();
    QCOMPARE(offered.join(u'|'), defaults + "|Designer|Description|Length|Height|Width|Weight");
    for (int column : { int(VariantOrder::Colour), int(VariantOrder::Weight) }) {
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), header->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(header->viewport(), &rightClick);
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[column]).center());
    }
    list.reset();
    list = std::make_unique<PriceList>(Edit::document());
    list->show();
    table = list->findChild<QTableView *>();
    header = table->horizontalHeader();
    const QString changed = "Price|Identifier|Category|Name|Stock|Stock value|Weight";
    QCOMPARE(state(table), changed + " / " + changed + " / -1 / wide");
    QCOMPARE(header->sectionSize(VariantOrder::Identifier), 150);
    // Name takes the room the others leave, but not below its title.
    list->resize(list->width() - header->viewport()->width() + header->length() - header->sectionSize(VariantOrder::Name) + 10,
                 list->height());
    QTRY_COMPARE(header->sectionSize(VariantOrder::Name), header->sectionSizeHint(VariantOrder::Name));
    // Where all fits again, it stretches over the room left: 10 pixels before, 100 more now.
    list->resize(list->width() + 100, list->height());
    QTRY_COMPARE(header->sectionSize(VariantOrder::Name), 110);
    // The last column shown cannot be hidden.
    for (int column = 1; column < header->count(); ++column)
        header->hideSection(column);
    menu = list->findChild<QMenu *>("menuColumns");
    emit header->customContextMenuRequested({});
    QCOMPARE(menu->actions()[0]->isEnabled(), false);
    QCOMPARE(menu->actions()[1]->isEnabled(), true);
    menu->hide();
    // A remembered header without a column shown, as a settings file edited by hand may hold.
    header->hideSection(VariantOrder::Identifier);
    list.reset();
    list = std::make_unique<PriceList>(Edit::document());
    list->show();
    QCOMPARE(state(list->findChild<QTableView *>()), defaults + " / " + defaults + " / -1 / wide");
}

void TestWindows::valuesChangeDialogs_data()
{
    QTest::addColumn<bool>("stock");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("refusal");
    // Two variants: price 10 and stock 5, price 0.5 and stock 2147483600.
    QTest::addRow("a price set") << false << 0 << "12.50" << true << "";
    QTest::addRow("no price typed") << false << 0 << "" << false << "";
    QTest::addRow("a price that is no number") << false << 0 << "abc" << false << "A price is a number, such as 1,049.90";
    QTest::addRow("a price past four digits") << false << 0 << "12 500" << true << "";
    QTest::addRow("prices raised by 100 %") << false << 1 << "100" << true << "";
    QTest::addRow("a percentage past three digits") << false << 1 << "1000" << false << "";
    QTest::addRow("prices lowered to 0") << false << 2 << "100" << true << "";
    QTest::addRow("prices lowered below 0") << false << 2 << "150" << false
                                          << "Refused: 2 variants would get a price below 0.";
    QTest::addRow("a stock set") << true << 0 << "7" << true << "";
    QTest::addRow("no stock typed") << true << 0 << "" << false << "";
    QTest::addRow("a stock taken away to 0") << true << 2 << "5" << true << "";
    QTest::addRow("more stock taken away than held") << true << 2 << "6" << false
                                                   << "Refused: 1 variant would have a stock below 0.";
    QTest::addRow("stock added past the most") << true << 1 << "100" << false
                                             << "Refused: 1 variant would have a stock above 2,147,483,647, the most a variant holds.";
}

// The change dialogs let OK through only for an amount they can read and a change that
// no variant refuses, and say why they refuse.
void TestWindows::valuesChangeDialogs()
{
    QFETCH(bool, stock);
    QFETCH(int, kind);
    QFETCH(QString, amount);
    QFETCH(bool, ok);
    QFETCH(QString, refusal);
    SetOfFurnitures catalogue;
    catalogue.addFurniture(new Furniture("C", "n", "", "", Dimension("", "", "", ""),
                                         { Form("1.1.1", "", "red", 10, 5), Form("1.1.2", "", "blue", 0.5, 2147483600u) }));
    const std::vector<VariantPlace> places { { 0, 0 }, { 0, 1 } };
    std::unique_ptr<QDialog> dialog;
    if (stock)
        dialog = std::make_unique<StockChangeDialog>(catalogue, places, nullptr);
    else
        dialog = std::make_unique<PriceChangeDialog>(catalogue, places, nullptr);
    dialog->findChild<QComboBox *>(stock ? "comboBoxStockChange" : "comboBoxPriceChange")->setCurrentIndex(kind);
    dialog->findChild<QLineEdit *>(stock ? "lineEditStockAmount" : "lineEditPriceAmount")->setText(amount);
    const QLabel *why = dialog->findChild<QLabel *>("labelRefusal");
    QCOMPARE(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled(), ok);
    QCOMPARE(why->text(), refusal);
    QCOMPARE(why->isHidden(), refusal.isEmpty());
    catalogue.clear();
}

// Each conflict shows its identifier, field and both values, "deleted" on the side that
// deleted the variant, and its decision; Keep all theirs, then OK, decides every row.
void TestWindows::mergeConflictsShownAndDecided()
{
    std::vector<MergeConflict> conflicts {
        { "1.1.1", MergeConflict::Price, "12", "13", false, true },
        { "1.1.2", MergeConflict::Variant, "", "blue 10 1", false, true },
        { "1.1.3", MergeConflict::Variant, "green 5 2", "", true, false },
    };
    MergeConflictsDialog dialog(conflicts, nullptr);
    const auto *table = dialog.findChild<QTableWidget *>("tableConflicts");
    QStringList shown;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < 4; ++column)
            texts << table->item(row, column)->text();
        shown << texts.join(u'|') + u'|' + qobject_cast<QComboBox *>(table->cellWidget(row, 4))->currentText();
    }
    QCOMPARE(shown, QStringList({ "1.1.1|Price|12.00|13.00|Mine", "1.1.2|Variant|deleted|blue 10 1|Mine",
                                  "1.1.3|Variant|green 5 2|deleted|Theirs" }));
    dialog.findChild<QPushButton *>("pushButtonKeepAllTheirs")->click();
    dialog.accept();
    QVERIFY(std::none_of(conflicts.begin(), conflicts.end(), [](const MergeConflict &c) { return c.keepOurs; }));
}

// A file whose headers name neither identifiers nor prices: the preview asks, one combo
// box a column, and follows the choice; an unticked change is not applied, and the report
// lists every change and every row that changes nothing, with its line and why.
void TestWindows::importMappingAndReport()
{
    SetOfFurnitures catalogue;
    // The set leaves its elements to whoever clears it.
    const auto forget = qScopeGuard([&catalogue] { catalogue.clear(); });
    QVERIFY(catalogue.load(QFINDTESTDATA("data/chairs.json")).ok());
    const QByteArray bytes = "Article;Montant;Qt\xC3\xA9;Note\r\n001.001.001;1 049,00 \xE2\x82\xAC;7;\r\n001.002.001;250;3;\r\n"
                             "001.002.001;12,345;2;\r\n001.002.001;-3;;\r\n001.002.001;123456789;x;\r\n"
                             "001.002.001;;2,5;\r\n001.002.001;;x;\r\n404.404.404;5;1;\r\n;5;5;\r\n";
    const auto reread = [&](const ImportMapping &mapping) {
        return PriceImport::preview(bytes, catalogue, { {}, {}, {}, {}, mapping });
    };
    QByteArray report;
    ImportPreviewDialog dialog(reread({}), "supplier.csv", reread,
                               [&](const QString &, const QByteArray &csv) { report = csv; });
    const auto shown = [&] {
        QStringList combos;
        for (int column = 1; auto *combo = dialog.findChild<QComboBox *>(QString("comboBoxColumn%1").arg(column)); ++column)
            combos << combo->currentText();
        return combos.join(u',') + u'|' + dialog.findChild<QLabel *>("labelSummary")->text() + u'|'
                + QString::number(dialog.findChild<QTableView *>("tableViewChanges")->model()->rowCount());
    };
    QCOMPARE(shown(), "Ignore,Ignore,Stock,Ignore|Choose the column that holds the identifiers.|0");
    QVERIFY(!dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());
    dialog.findChild<QComboBox *>("comboBoxColumn1")->setCurrentText("Identifier");
    QCOMPARE(shown(), "Identifier,Ignore,Stock,Ignore|Prices that change: 0. Stocks that change: 1.|1");
    dialog.findChild<QComboBox *>("comboBoxColumn2")->setCurrentText("Price");
    QCOMPARE(shown(), "Identifier,Price,Stock,Ignore|Prices that change: 2. Stocks that change: 1.|2");
    QAbstractItemModel *changes = dialog.findChild<QTableView *>("tableViewChanges")->model();
    QVERIFY(changes->setData(changes->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));

    ScratchTree tree;
    QTimer::singleShot(0, [&] {
        auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        chooser->selectFile(tree.path("report.csv"));
        static_cast<QDialog *>(chooser)->accept();
    });
    dialog.findChild<QPushButton *>("pushButtonSaveReport")->click();
    QCOMPARE(QString::fromUtf8(report).split("\r\n"),
             QString("\uFEFFLine,Identifier,Price,New price,Stock,New stock,Outcome|"
                     ",001.001.001,59.9,1049,12,7,applied|,001.002.001,240,250,3,,not applied|"
                     "4,,,,,,\"Price: three decimals: 12,345\"|5,,,,,,Price: negative: -3|"
                     "6,,,,,,\"Price: above 99,999,999.99: 123456789\"|7,,,,,,\"Stock: a stock has no decimals: 2,5\"|"
                     "8,,,,,,Stock: not a number: x|9,,,,,,Identifier: not in the catalogue: 404.404.404|"
                     "10,,,,,,Identifier: no identifier|")
                     .split(u'|'));
    const std::vector<VariantValues> applied = dialog.preview().newValues(dialog.ticked());
    QCOMPARE(applied.size(), 1u);
    QCOMPARE(applied[0].price, 1049.0);
}

// Notices "TAG OWNER HOST PID MINUTES" beside a catalogue (OWNER me or another user, PID
// live or ended on this host, MINUTES since the last refresh; each holder since a minute
// after the one before): the question at Open, and the notices left after the answer and
// after leaving.
void TestWindows::inUseQuestion()
{
    const QStringList notices = cell("notices").split(" + ", Qt::SkipEmptyParts);
    if (cell("notices").contains(" other ") && geteuid() != 0)
        QSKIP("needs root, to make notices of another user");
    qputenv("TZ", "UTC");
    static int row = 0;
    const QString catalogue = QString("json/inuse/%1/c.json").arg(++row);
    QVERIFY(QDir().mkpath(QFileInfo(scratch.path(catalogue)).path()));
    scratch.write(catalogue, readFile(QFINDTESTDATA("data/chairs.json")));
    for (int i = 0; i < notices.size(); ++i) {
        const QStringList words = withThisMachine(notices[i]).split(u' ');
        const QString pid = words[3] == "live" ? "1" : words[3] == "ended" ? "2147483647" : words[3];
        const QString notice = QFileInfo(scratch.path(catalogue)).path() + "/.c.json.kalvio-inuse-" + words[0];
        scratch.write(QDir(scratch.path("")).relativeFilePath(notice),
                      QString("anna\n%1\n%2\n2026-12-07T08:0%3:00Z\n").arg(words[2], pid).arg(i).toUtf8());
        const timespec refreshed { QDateTime::currentSecsSinceEpoch() - 60 * words[4].toInt(), 0 };
        const timespec times[2] { refreshed, refreshed };
        QVERIFY(utimensat(AT_FDCWD, QFile::encodeName(notice), times, 0) == 0);
        QVERIFY(words[1] == "me" || chown(QFile::encodeName(notice), 65534, 65534) == 0);
    }
    const QString answer = cell("answer"), left = cell("left");
    play(QString("window ; choose %1 ; %2menu Open ; asked %3 ; notices %1 %4 ; quit ; notices %1 %5")
                 .arg(catalogue, answer.isEmpty() ? QString() : "answer " + answer + " ; ", cell("asked"), left,
                      QString(left).remove(QRegularExpression(",?ours"))),
         scratch);
}

void TestWindows::recoveryQuestion_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QString>("holds");
    const QString asked = "asked Unsaved changes found|Recover the unsaved changes of c.json from %1?|Recover ; ";
    QTest::addRow("Recover, the default, then Save") << true << "answer default ; menu Open ; " + asked +
            "title c* - Kälviö ; tree Chairs[Alma[001.001.001],Brisa[001.002.001]] ; menu Save ; title c - Kälviö" << 0 << "Alma";
    QTest::addRow("Open the file as saved") << true << "answer Open the file as saved ; menu Open ; " + asked +
            "title c - Kälviö ; tree Chairs[Alba[001.001.001],Brisa[001.002.001]]" << 1 << "Alma";
    QTest::addRow("Discard the recovery") << true << "answer Discard the recovery ; menu Open ; " + asked + "title c - Kälviö" << 0 << "";
    QTest::addRow("leaving without asking keeps the changes") << false <<
            "menu Open ; click 0 0 0 ; press Edit ; type Price =7 ; press Save ; press Close ; invoke leaveWithoutAsking ; "
            "main closed ; notices json/recovery/c.json " << 1 << "\"price\": 7,";
    QTest::addRow("leaving with Discard drops them") << false <<
            "menu Open ; click 0 0 0 ; press Edit ; type Price =7 ; press Save ; press Close ; invoke leaveWithoutAsking ; "
            "main closed ; window ; answer Discard ; menu New ; title Kälviö" << 0 << "";
}

// A copy that an ended program left of c.json, whose first element is Alma, not Alba:
// each answer to the question at Open, and the copies left; the changes of a program that
// leaves without asking are kept, until they are discarded.
void TestWindows::recoveryQuestion()
{
    QFETCH(QString, steps);
    const QString catalogue = scratch.path("json/recovery/c.json");
    QVERIFY(QDir().mkpath(QFileInfo(catalogue).path()));
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery");
    QDir(folder).removeRecursively();
    scratch.write("json/recovery/c.json", readFile(QFINDTESTDATA("data/chairs.json")));
    // Saved a minute before the copy: within one tick of the clock, the copy would not be newer.
    QFile saved(catalogue);
    QVERIFY(saved.open(QIODevice::ReadWrite)
            && saved.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    saved.close();
    QFETCH(bool, left);
    if (left) {
        QVERIFY(RecoveryCopy::write(catalogue, readFile(QFINDTESTDATA("data/chairs.json")).replace("Alba", "Alma")).ok());
        for (const QString &name : folder.entryList(QDir::Files))
            QVERIFY(QFile::rename(folder.filePath(name), folder.filePath(QString(name).replace(QString::number(getpid()) + '.', "2147483647."))));
        const QFileInfo copy(folder.filePath(folder.entryList({ "*.json" }, QDir::Files).value(0)));
        steps = steps.arg(QLocale(QLocale::English).toString(copy.lastModified().time(), QLocale::ShortFormat));
    }
    play("window ; choose json/recovery/c.json ; " + steps, scratch);
    const QStringList copies = folder.entryList({ "*.json" }, QDir::Files);
    QTEST(int(copies.size()), "copies");
    QFETCH(QString, holds);
    QVERIFY(holds.isEmpty() || readFile(copies.isEmpty() ? catalogue : folder.filePath(copies[0])).contains(holds.toUtf8()));
}

QTEST_MAIN(TestWindows)
void TestWindows::progressShownOfLongWork_data()
{
    QTest::addColumn<int>("stepsAtOnce");
    QTest::addColumn<int>("lastStretchMs");
    QTest::addColumn<bool>("shown");
    QTest::addRow("most steps at once, then a long last stretch") << 99 << 800 << true;
    QTest::addRow("no steps, long") << 0 << 800 << true;
    QTest::addRow("work done within the quiet time") << 99 << 0 << false;
}

// Work that still runs after a moment shows its progress, with its Cancel, however near its
// steps say the end is.
void TestWindows::progressShownOfLongWork()
{
    QFETCH(int, stepsAtOnce);
    QFETCH(int, lastStretchMs);
    bool shown = false;
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&shown] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            shown = shown || (qobject_cast<QProgressDialog *>(widget) && widget->isVisible());
    });
    look.start(10);
    QVERIFY(BackgroundWork::run(nullptr, "Work", "Working", 100, [&](const BackgroundWork::Progress &progress) {
        progress(std::size_t(stepsAtOnce));
        QThread::msleep(unsigned(lastStretchMs));
        return true;
    }));
    QTEST(shown, "shown");
}

#include "tst_windows.moc"
