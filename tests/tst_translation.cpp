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
#include <QXmlStreamReader>

namespace {

using Message = QStringList; // context, source text, translation

// The French table as the shop's translator handed it over.
QList<Message> frenchTable()
{
    QList<Message> rows;
    for (const QByteArray &line : readFile(QFINDTESTDATA("data/french.tsv")).split('\n'))
        if (!line.isEmpty())
            rows << QString::fromUtf8(line).split(u'\t');
    return rows;
}

// The messages of a translation source file; a translation is empty where there is none.
QList<Message> messagesIn(const QString &tsPath)
{
    QList<Message> messages;
    QXmlStreamReader xml(readFile(tsPath));
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            messages << Message { context, xml.readElementText(), QString() };
        else if (xml.name() == u"translation")
            messages.last()[2] = xml.readElementText();
    }
    return messages;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? QString() : process.readAllStandardError();
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(translator.load(":/i18n/Kalvio_fr_FR")); }
    void everyMessageTranslates();
    void compiledCatalogueHoldsExactlyTheTable();
    void codeAndCatalogueAgree();
    void windowsShowFrench();

private:
    QTranslator translator;
    QTemporaryDir scratch;
};

void TestTranslation::everyMessageTranslates()
{
    const QList<Message> table = frenchTable();
    QCOMPARE(table.size(), 43);
    for (const Message &row : table)
        QCOMPARE(translator.translate(qPrintable(row[0]), qPrintable(row[1])), row[2]);
}

void TestTranslation::compiledCatalogueHoldsExactlyTheTable()
{
    const QString qm = scratch.filePath("fr.qm"), ts = scratch.filePath("fr.ts");
    QVERIFY(QFile::copy(":/i18n/Kalvio_fr_FR.qm", qm));
    QCOMPARE(run(LCONVERT, { "-i", qm, "-o", ts }), QString());
    QList<Message> compiled = messagesIn(ts), table = frenchTable();
    std::sort(compiled.begin(), compiled.end());
    std::sort(table.begin(), table.end());
    QCOMPARE(compiled, table);
}

// Fails the day a text is added or reworded in the code without its translation.
void TestTranslation::codeAndCatalogueAgree()
{
    const QString ts = scratch.filePath("code.ts");
    QCOMPARE(run(LUPDATE, { "-silent", "-locations", "none", KALVIO_SOURCE_DIR "/src", "-ts", ts }), QString());
    QStringList inCode, inTable;
    for (const Message &message : messagesIn(ts))
        inCode << message[0] + '|' + message[1];
    for (const Message &row : frenchTable())
        inTable << row[0] + '|' + row[1];
    inCode.sort();
    inTable.sort();
    QCOMPARE(inCode, inTable);
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
    QCOMPARE(editor.findChild<QLabel *>("labelCatName")->text(), "Categorie :");
    QCOMPARE(editor.findChild<QPushButton *>("pushButtonSave")->text(), "Sauvegarde");
    QCOMPARE(editor.findChild<QPushButton *>("pushButtonClose")->text(), "Fermer");
    QCOMPARE(editor.windowTitle(), "Form");
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
