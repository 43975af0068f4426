#include "edit.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(translator.load(":/i18n/Kalvio_fr_FR")); }
    void catalogueMatchesTableAndCode();
    void frenchTextsShowWhole();

private:
    QTranslator translator;
    QTemporaryDir scratch;
};

// french.tsv is the table the shop's translator handed over, one "context, source,
// translation" line each. Merging the code's texts into a copy of the catalogue must
// leave nothing unfinished nor add anything: it fails the day a text is added or
// reworded without its translation.
void TestTranslation::catalogueMatchesTableAndCode()
{
    const QList<QByteArray> table = readFile(QFINDTESTDATA("data/french.tsv")).trimmed().split('\n');
    for (const QByteArray &line : table)
        QCOMPARE(translator.translate(line.split('\t')[0], line.split('\t')[1]), QString::fromUtf8(line.split('\t')[2]));
    const QString merged = scratch.filePath("merged.ts");
    QVERIFY(QFile::copy(KALVIO_SOURCE_DIR "/i18n/Kalvio_fr_FR.ts", merged));
    QProcess lupdate;
    lupdate.start(LUPDATE, { "-silent", "-no-obsolete", "-locations", "none", KALVIO_SOURCE_DIR "/src", "-ts", merged });
    QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
    QVERIFY(!readFile(merged).contains("unfinished"));
    QCOMPARE(readFile(merged).count("<message"), table.size());
}

// In French, the windows show their texts from the catalogue, each whole in the fixed
// geometry of its label or button.
void TestTranslation::frenchTextsShowWhole()
{
    QCoreApplication::installTranslator(&translator);
    const MainWindow window;
    QCOMPARE(window.findChild<QLabel *>("label")->text(), "Kälviö");
    QCOMPARE(window.findChild<QTreeView *>()->model()->index(0, 0).data().toString(), "Pas de categorie");
    const Edit editor(nullptr);
    QStringList shown, cut;
    for (const QWidget *widget : editor.findChildren<QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->objectName() != "labelImage") {
            shown << label->text();
            if (label->sizeHint().width() > label->width())
                cut << label->objectName();
        } else if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            shown << button->text();
            if (button->fontMetrics().horizontalAdvance(button->text()) > button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width())
                cut << button->objectName();
        }
    }
    QCOMPARE(shown.join(u'|'), "ID :|Fermer|Modifier|Categorie :|Sauvegarde|Element :|Description :|Dimension :|Longueur :|Hauteur :| Largeur :|Poids :|Designer :|Couleur :|Prix :|Stock :|Photo :|Supprimer");
    QCOMPARE(cut, QStringList());
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
