#include "edit.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(translator.load(":/i18n/Kalvio_fr_FR")); }
    void catalogueHoldsExactlyTheTable();
    void codeAndCatalogueAgree();
    void windowsShowFrench();

private:
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    }

    QTranslator translator;
    QTemporaryDir scratch;
};

// The table is the one the shop's translator handed over, one "context, source,
// translation" line each.
void TestTranslation::catalogueHoldsExactlyTheTable()
{
    const QList<QByteArray> table = readFile(QFINDTESTDATA("data/french.tsv")).trimmed().split('\n');
    QCOMPARE(table.size(), 43);
    for (const QByteArray &line : table) {
        const QList<QByteArray> row = line.split('\t');
        QCOMPARE(translator.translate(row[0], row[1]), QString::fromUtf8(row[2]));
    }
    const QString compiled = scratch.filePath("compiled.ts");
    QVERIFY(QFile::copy(":/i18n/Kalvio_fr_FR.qm", scratch.filePath("fr.qm")));
    QVERIFY(run(LCONVERT, { "-i", scratch.filePath("fr.qm"), "-o", compiled }));
    QCOMPARE(readFile(compiled).count("<message>"), 43);
}

// Merging the texts of the code into the catalogue must leave nothing unfinished and drop
// nothing: it fails the day a text is added or reworded without its translation.
void TestTranslation::codeAndCatalogueAgree()
{
    const QString merged = scratch.filePath("merged.ts");
    QVERIFY(QFile::copy(KALVIO_SOURCE_DIR "/i18n/Kalvio_fr_FR.ts", merged));
    QVERIFY(run(LUPDATE, { "-silent", "-no-obsolete", "-locations", "none", KALVIO_SOURCE_DIR "/src", "-ts", merged }));
    QVERIFY(!readFile(merged).contains("unfinished"));
    QCOMPARE(readFile(merged).count("<message>"), 43);
}

void TestTranslation::windowsShowFrench()
{
    QCoreApplication::installTranslator(&translator);
    const MainWindow window;
    QCOMPARE(window.findChild<QLabel *>("label")->text(), "Kälviö");
    QCOMPARE(window.windowTitle(), "Kälviö");
    QCOMPARE(window.findChild<QTreeView *>()->model()->index(0, 0).data().toString(), "Pas de categorie");
    QMenu *menu = window.menuBar()->actions().first()->menu();
    QStringList entries { menu->title() };
    for (const QAction *action : menu->actions())
        entries << action->text();
    QCOMPARE(entries, QStringList({ "&Fichier", "&Nouveau", "&Nouveau meuble", "", "&Ouvrir", "&Enregistrer",
                                    "&Enregistrer sous", "", "&Quitter" }));
    const Edit editor(nullptr);
    QCOMPARE(editor.findChild<QLabel *>("labelWidth")->text(), " Largeur :");
    QCOMPARE(editor.findChild<QPushButton *>("pushButtonSave")->text(), "Sauvegarde");
    QCOMPARE(editor.windowTitle(), "Form");
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
