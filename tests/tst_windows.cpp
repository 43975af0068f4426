#include "commandline.h"
#include "edit.h"
#include "mainwindow.h"
#include "photofolders.h"
#include "pricelistmodel.h"
#include "pricelistlayout.h"
#include "testsupport.h"

#include <QApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>

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
    }
    void cleanup()
    {
        Edit::document().clear();
        PhotoFolders::setCatalogueFolder({});
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
    void unchangedSaveAndDeleteTouchOnlyTheOpenedVariant();
    void priceListReadsBack();
    void priceListTyping_data();
    void priceListTyping();
    void priceListFollowsTheCatalogue();

private:
    ScratchTree scratch;
    QTranslator plurals;
};

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
// title, every identifier and price, the page numbers, and the stock only when asked for.
void TestWindows::priceListReadsBack()
{
    QVERIFY(Edit::sof.load(QFINDTESTDATA("../json/shop.json")).ok());
    const std::vector<ExportedVariant> variants = inIdentifierOrder(wholeCatalogue(Edit::sof));
    for (const bool showStock : { false, true }) {
        const QString pdf = scratch.path(QString("list%1.pdf").arg(showStock));
        {
            QPdfWriter writer(pdf);
            PriceListLayout layout(variants, "shop", showStock);
            QVERIFY(layout.paint(writer, [](std::size_t) { return true; }));
        }
        QProcess reader;
        reader.start("pdftotext", { "-layout", pdf, "-" });
        QVERIFY(reader.waitForFinished(30000) && reader.exitCode() == 0);
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY(text.contains("Price list: shop"));
        QVERIFY(text.contains("Page 2"));
        QCOMPARE(text.contains("Stock"), showStock);
        for (const ExportedVariant &each : variants) {
            const QString row = QString::fromStdString(each.variant->getId()) + ".*" + QLocale().toString(each.variant->getPrice(), 'f', 2)
                    + (showStock ? ".*" + QString::number(each.variant->getStock()) : "");
            QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(row));
        }
    }
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
    QTest::addRow("a price of five digits") << price << "12345" << "refused 0 10 1";
    QTest::addRow("a price of three decimals") << price << "1.234" << "refused 0 10 1";
    QTest::addRow("an emptied price") << price << "" << "refused 0 10 1";
    QTest::addRow("the stock as it stands, in other words") << stock << "01" << "taken 0 10 1";
    QTest::addRow("an emptied stock is 0") << stock << "" << "taken 1 10 0";
    QTest::addRow("a stock of five digits") << stock << "99999" << "taken 1 10 99999";
    QTest::addRow("a stock of six digits") << stock << "123456" << "refused 0 10 1";
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

// The list follows what changes in the catalogue: the low-stock rows and the filter by the
// values as they are now, the sort over variants that come.
void TestWindows::priceListFollowsTheCatalogue()
{
    fillCatalogue({ "A|x|red|001.001.001,001.001.002", "B|y|blue|002.001.001" });
    PriceListModel model(Edit::document(), nullptr);
    playCatalogue("values 0 1 2.5 5", scratch);
    model.setLowStock(2, true);
    QCOMPARE(listedRows(model), "001.001.001 10 1 10.00! + 002.001.001 10 1 10.00!");
    playCatalogue("values 1 0 10 3", scratch);
    QCOMPARE(listedRows(model), "001.001.001 10 1 10.00!");
    model.setLowStock(2, false);
    QCOMPARE(listedRows(model), "001.001.001 10 1 10.00! + 001.001.002 2.5 5 12.50 + 002.001.001 10 3 30.00");
    model.setFilter("green");
    QCOMPARE(listedRows(model), "");
    playCatalogue("change 1 0 B|y|d|1|2|3|4|s|p.png|green|10|3", scratch);
    QCOMPARE(listedRows(model), "002.001.001 10 3 30.00");
    model.setFilter("");
    model.sort(VariantOrder::Price, Qt::DescendingOrder);
    playCatalogue("add 001.001.003 A|x|d|1|2|3|4|s|p.png|oak|20|1", scratch);
    QCOMPARE(listedRows(model), "001.001.003 20 1 20.00! + 001.001.001 10 1 10.00! + 002.001.001 10 3 30.00 + 001.001.002 2.5 5 12.50");
    // Tabs and line breaks of a copied text would break its line into cells.
    playCatalogue("change 0 0 A|x|d|1|2|3|4|s|p.png|a\tb\nc|10|1", scratch);
    QCOMPARE(model.tabSeparated({ 1 }).section(u'\n', 1), "001.001.001\tA\tx\ta b c\t10\t1\t10.00\n");
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
