#include "commandline.h"
#include "edit.h"
#include "mainwindow.h"
#include "photofolders.h"
#include "pricelistlayout.h"
#include "testsupport.h"

#include <QApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
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

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
