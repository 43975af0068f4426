#include "catalogueexchange.h"
#include "edit.h"
#include "labelsdialog.h"
#include "mainwindow.h"
#include "pricelist.h"
#include "valueschangedialogs.h"
#include "testsupport.h"

#include <QCheckBox>
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

namespace {

// The texts of the labels, buttons and check boxes in `window`; the names of those that do
// not show theirs whole go to `cut`.
QString shownTexts(const QWidget &window, QStringList &cut)
{
    QStringList shown;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->objectName() != "labelImage") {
            shown << label->text();
            if (label->sizeHint().width() > label->width() && !label->wordWrap())
                cut << label->objectName();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget);
                   button && (widget->inherits("QPushButton") || widget->inherits("QCheckBox")) && !button->text().isEmpty()) {
            QStyleOptionButton option;
            option.initFrom(button);
            shown << button->text();
            const QStyle::SubElement contents = qobject_cast<const QCheckBox *>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
            if (button->fontMetrics().horizontalAdvance(button->text()) > button->style()->subElementRect(contents, &option, button).width())
                cut << button->objectName();
        }
    }
    return shown.join(u'|');
}

} // namespace

// In French, the windows show their texts from the catalogue, each whole in the fixed
// geometry of its label or button.
void TestTranslation::frenchTextsShowWhole()
{
    QCoreApplication::installTranslator(&translator);
    const MainWindow window;
    QCOMPARE(window.findChild<QLabel *>("label")->text(), "Kälviö");
    QCOMPARE(window.findChild<QTreeView *>()->model()->index(0, 0).data().toString(), "Pas de categorie");
    const Edit editor(nullptr);
    QStringList cut;
    QCOMPARE(shownTexts(editor, cut), "ID :|Fermer|Modifier|Categorie :|Sauvegarde|Element :|Description :|Dimension :|Longueur :|Hauteur :| Largeur :|Poids :|Designer :|Couleur :|Prix :|Stock :|Photo :|Supprimer");
    // The price list and its questions are laid out: shown, each text gets its room.
    PriceList list(Edit::document());
    PriceChangeDialog prices(Edit::sof, { {} }, nullptr);
    StockChangeDialog stock(Edit::sof, { {} }, nullptr);
    for (QWidget *window : std::initializer_list<QWidget *> { &list, &prices, &stock })
        window->show();
    QCOMPARE(shownTexts(list, cut), "Filtre :|Stock faible jusqu'à :|Stock faible seulement|Compter en scannant|Appliquer le comptage…|Effacer le comptage|Imprimer des étiquettes…|0 variante, 0 unité en stock, valeur du stock 0,00|Modifier les prix…|Modifier le stock…|");
    QCOMPARE(shownTexts(prices, cut), "Modifier le prix de 1 variante sélectionnée, arrondi au centime :||OK|Cancel");
    QCOMPARE(shownTexts(stock, cut), "Modifier le stock de 1 variante sélectionnée :||OK|Cancel");
    LabelsDialog labels({}, "shop", *window.findChild<CatalogueExchange *>(), nullptr);
    labels.show();
    QCOMPARE(shownTexts(labels, cut), "&Planche :|&Taille de l'étiquette :|×|&Commencer à l'étiquette :|E&xemplaires de chacune :|Autant que le stock|&Devise :|Nom|Couleur|Prix|Identifiant|Code-barres|Photo|Code-&barres :||Aucune étiquette : aucune variante n'en a à imprimer.|&Imprimer…|Enregistrer en PDF…|Close");
    QCOMPARE(cut, QStringList());
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
