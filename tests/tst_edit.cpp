#include "edit.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

namespace {

// Opens an editor as the main window does: on the last element holding `id`.
Edit *openOn(const std::string &id)
{
    Furniture *holder = nullptr;
    for (Furniture *furniture : Edit::sof.getFurnitures())
        for (const Form &form : furniture->getForms())
            if (form.getId() == id)
                holder = furniture;
    auto *editor = new Edit(nullptr, holder, id);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    return editor;
}

QLineEdit *field(const Edit *editor, const char *name)
{
    return editor->findChild<QLineEdit *>(name);
}

void append(QLineEdit *line, const QString &keys)
{
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, keys);
}

void click(const Edit *editor, const char *name)
{
    editor->findChild<QPushButton *>(name)->click();
}

QString identifierFields(const Edit *editor)
{
    return field(editor, "lineEditID1")->text() + ' ' + field(editor, "lineEditID2")->text() + ' '
        + field(editor, "lineEditID3")->text();
}

} // namespace

class TestEdit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Edit::sof.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void states_data();
    void states();
    void typing_data();
    void typing();
    void loadImage_data();
    void loadImage();
    void updateChangesEveryHolderInPlace();
    void updateKeepsWhatWasNotEdited_data();
    void updateKeepsWhatWasNotEdited();
    void insert_data();
    void insert();
    void editAndDeleteTouchOnlyTheShownVariant();

private:
    ScratchTree tree;
};

void TestEdit::states_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("pressEdit");
    QTest::addColumn<QString>("buttons");
    QTest::newRow("new element") << false << false << "Save Close";
    QTest::newRow("existing variant") << true << false << "Edit Delete Close";
    QTest::newRow("after Edit") << true << true << "Save Delete Close";
}

void TestEdit::states()
{
    QFETCH(bool, existing);
    QFETCH(bool, pressEdit);
    fillCatalogue({ "C|n|red|001.001.001" });
    Edit *editor = existing ? openOn("001.001.001") : new Edit(nullptr);
    if (pressEdit)
        click(editor, "pushButtonEdit");
    QStringList shown;
    for (const char *name : { "pushButtonSave", "pushButtonEdit", "pushButtonDelete", "pushButtonClose" })
        if (editor->findChild<QPushButton *>(name)->isVisibleTo(editor))
            shown << QString(name).mid(10);
    QTEST(shown.join(u' '), "buttons");
    const bool editable = !existing || pressEdit;
    for (const QLineEdit *line : editor->findChildren<QLineEdit *>()) {
        const bool identifier = line->objectName().startsWith("lineEditID");
        QCOMPARE(line->isReadOnly(), identifier || !editable);
        QCOMPARE(line->styleSheet(), line->isReadOnly() ? "background-color: lightgray;" : "background-color: white;");
        QCOMPARE(line->text().isEmpty(), !existing);
    }
    QCOMPARE(editor->windowTitle(), existing ? "001.001.001.png" : "Form");
    QCOMPARE(editor->findChild<QLabel *>("labelImage")->text(), existing ? "Image not found" : "TextLabel");
    delete editor;
}

void TestEdit::typing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("measure with point") << "lineEditLength" << "123.45" << "123.45";
    QTest::newRow("measure with comma") << "lineEditWeight" << "12,5" << "12,5";
    QTest::newRow("measure, fourth digit") << "lineEditHeight" << "1234" << "123";
    QTest::newRow("measure, third decimal") << "lineEditWidth" << "1.234" << "1.23";
    QTest::newRow("measure, second separator or letter") << "lineEditLength" << "1.2.a3" << "1.23";
    QTest::newRow("price, four digits") << "lineEditPrice" << "1234.56" << "1234.5";
    QTest::newRow("price, fifth digit") << "lineEditPrice" << "12345" << "1234";
    QTest::newRow("stock, five digits only") << "lineEditStock" << "12a-3456" << "12345";
    QTest::newRow("identifier") << "lineEditID2" << "12" << "";
}

void TestEdit::typing()
{
    QFETCH(QString, name);
    Edit editor(nullptr);
    QFETCH(QString, keys);
    QTest::keyClicks(field(&editor, qPrintable(name)), keys);
    QTEST(field(&editor, qPrintable(name))->text(), "text");
}

void TestEdit::loadImage_data()
{
    QTest::addColumn<QString>("photo");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("title");
    QTest::newRow("no name") << "" << "No image" << "Form";
    QTest::newRow("upper-case suffix") << "sofa.PNG" << "Unsupported image format" << "sofa.PNG";
    QTest::newRow("jpeg suffix") << "sofa.jpeg" << "Unsupported image format" << "sofa.jpeg";
    QTest::newRow("missing file") << "gone/sofa.png" << "Image not found" << "sofa.png";
    QTest::newRow("picture") << "sofa.png" << "" << "sofa.png";
}

void TestEdit::loadImage()
{
    QFETCH(QString, shown);
    QImage(40, 20, QImage::Format_RGB32).save(tree.path("Images/sofa.png"));
    Edit editor(nullptr);
    QFETCH(QString, photo);
    editor.loadImage(photo);
    const QLabel *label = editor.findChild<QLabel *>("labelImage");
    QCOMPARE(label->text(), shown);
    QCOMPARE(label->pixmap().isNull(), !shown.isEmpty());
    QTEST(editor.windowTitle(), "title");
}

void TestEdit::updateChangesEveryHolderInPlace()
{
    fillCatalogue({ "C|A|red|001.001.001,001.001.002", "D|B|blue|001.001.002" });
    Edit *editor = openOn("001.001.002");
    QSignalSpy reports(editor, &Edit::sendInfoToMainWindow);
    click(editor, "pushButtonEdit");
    append(field(editor, "lineEditElementName"), "2");
    field(editor, "lineEditPrice")->clear();
    QTest::keyClicks(field(editor, "lineEditPrice"), "12,5");
    click(editor, "pushButtonSave");
    QCOMPARE(catalogueSummary(), QStringList({ "C|B2|001.001.001,001.001.002", "D|B2|001.001.002" }));
    QCOMPARE(Edit::sof.getFurnitures()[0]->getForms()[0].getPrice(), 10.0);
    QCOMPARE(Edit::sof.getFurnitures()[0]->getForms()[1], Form("001.001.002", "001.001.002.png", "red", 12.5, 1));
    QCOMPARE(Edit::sof.getFurnitures()[1]->getForms()[0], Form("001.001.002", "001.001.002.png", "blue", 12.5, 1));
    QVERIFY(field(editor, "lineEditPrice")->isReadOnly());
    QVERIFY(editor->isVisible());
    QCOMPARE(reports.count(), 0);
    delete editor;
}

// Identifiers of every shape are shown whole, and values a field cannot show exactly
// stay as stored unless the user changes that field.
void TestEdit::updateKeepsWhatWasNotEdited_data()
{
    QTest::addColumn<QString>("shownId");
    QTest::addColumn<QString>("fields");
    QTest::newRow("well-formed") << "001.002.003" << "001 002 003";
    QTest::newRow("four groups") << "1.2.3.4" << "1 2 3";
    QTest::newRow("empty group") << "7..9" << "7  9";
    QTest::newRow("one group") << "5" << "5  ";
    QTest::newRow("empty first group") << ".2.3" << " 2 3";
    QTest::newRow("groups above 999") << "1000.001.12345" << "1000 001 12345";
}

void TestEdit::updateKeepsWhatWasNotEdited()
{
    QFETCH(QString, shownId);
    const std::string id = shownId.toStdString();
    auto *shown = new Furniture("C", "n", "d", "e", Dimension("1234567", "2", "3", "4"),
                                { Form("1.2.3", "p.png", "red", 1, 1), Form(id, "p.png", "red", 1234.56, 123456) });
    Edit::sof.addFurniture(shown);
    const Furniture before = *shown;
    Edit *editor = openOn(id);
    QTEST(identifierFields(editor), "fields");
    click(editor, "pushButtonEdit");
    click(editor, "pushButtonSave");
    QVERIFY(*shown == before);
    click(editor, "pushButtonEdit");
    append(field(editor, "lineEditColor"), "dish");
    click(editor, "pushButtonSave");
    QCOMPARE(Edit::sof.getFurnitures().size(), size_t(1));
    QCOMPARE(shown->getForms()[1], Form(id, "p.png", "reddish", 1234.56, 123456));
    QCOMPARE(shown->getForms()[0], before.getForms()[0]);
    QCOMPARE(shown->getDim(), before.getDim());
    delete editor;
}

void TestEdit::insert_data()
{
    QTest::addColumn<QStringList>("catalogue");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("empty catalogue") << QStringList() << "C|n|red" << QStringList({ "C|n|001.001.001" });
    QTest::newRow("after 9") << QStringList({ "A|a|red|9.001.001" }) << "C|n|red" << QStringList({ "A|a|9.001.001", "C|n|010.001.001" });
    QTest::newRow("after 99") << QStringList({ "A|a|red|99.1.1" }) << "C|n|red" << QStringList({ "A|a|99.1.1", "C|n|100.001.001" });
    QTest::newRow("after 999") << QStringList({ "A|a|red|999.1.1" }) << "C|n|red" << QStringList({ "A|a|999.1.1", "C|n|1000.001.001" });
    QTest::newRow("new element") << QStringList({ "C|a|red|002.001.001", "C|b|red|002.002.001" }) << "C|n|red"
                                 << QStringList({ "C|a|002.001.001", "C|b|002.002.001", "C|n|002.003.001" });
    QTest::newRow("new colour, case counts") << QStringList({ "C|n|red|002.003.001,002.003.004" }) << "C|n|Red"
                                             << QStringList({ "C|n|002.003.001,002.003.004,002.003.005" });
    QTest::newRow("duplicate") << QStringList({ "C|n|red|002.003.001" }) << "C|n|red" << QStringList({ "C|n|002.003.001" });
    QTest::newRow("category without well-formed identifiers") << QStringList({ "C|n|red|7" }) << "C|n|red"
                                                              << QStringList({ "C|n|7", "C|n|008.001.001" });
    // An element renumbered into another category must not lend its category number.
    QTest::newRow("mixed category numbers") << QStringList({ "C|n|red|001.001.001", "C|m|red|005.001.001", "D|d|red|005.002.001" })
                                            << "C|n|blue"
                                            << QStringList({ "C|n|001.001.001,001.001.002", "C|m|005.001.001", "D|d|005.002.001" });
}

void TestEdit::insert()
{
    QFETCH(QStringList, catalogue);
    fillCatalogue(catalogue);
    QFETCH(QString, entered);
    const QStringList parts = entered.split(u'|');
    auto *editor = new Edit(nullptr);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    QSignalSpy reports(editor, &Edit::sendInfoToMainWindow);
    const bool duplicate = QTest::currentDataTag() == QByteArray("duplicate");
    if (duplicate)
        pressOnNextMessageBox(QMessageBox::Ok);
    field(editor, "lineEditCatName")->setText(parts[0]);
    field(editor, "lineEditElementName")->setText(parts[1]);
    field(editor, "lineEditColor")->setText(parts[2]);
    click(editor, "pushButtonSave");
    QTEST(catalogueSummary(), "after");
    QCOMPARE(reports.count(), duplicate ? 0 : 1);
    QVERIFY(!editor->isVisible());
}

// Over many random catalogues with identifiers of every shape, repeated within and across
// elements: an unchanged Save of any variant leaves the saved file byte-identical, and a
// confirmed Delete takes the first such variant from every element holding it (and the
// elements it empties), nothing else.
void TestEdit::editAndDeleteTouchOnlyTheShownVariant()
{
    const QStringList groups { "001", "1", "", "1000", "01" };
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator random(seed);
        const auto pick = [&random](const QStringList &list) { return list[random.bounded(int(list.size()))]; };
        QStringList catalogue;
        for (int e = random.bounded(1, 6); e > 0; --e) {
            QStringList ids;
            for (int v = random.bounded(1, 4); v > 0; --v)
                ids << (random.bounded(5) ? pick(groups) + '.' + pick(groups) + '.' + pick(groups) + pick({ "", ".7" }) : "9");
            catalogue << QString("C%1|n%2|red|").arg(random.bounded(2)).arg(random.bounded(2)) + ids.join(u',');
        }
        fillCatalogue(catalogue);
        const QStringList ids = catalogueSummary().replaceInStrings(QRegularExpression("^.*\\|"), "").join(u',').split(u',');
        Edit::sof.save(tree.path("before.json"));
        for (const QString &id : ids) {
            Edit *editor = openOn(id.toStdString());
            click(editor, "pushButtonEdit");
            click(editor, "pushButtonSave");
            delete editor;
        }
        Edit::sof.save(tree.path("after.json"));
        QCOMPARE(readFile(tree.path("after.json")), readFile(tree.path("before.json")));

        const QString id = pick(ids);
        const QStringList before = catalogueSummary();
        QStringList expected;
        for (const QString &line : before) {
            QStringList variants = line.section(u'|', 2).split(u',');
            variants.removeOne(id);
            if (!variants.isEmpty())
                expected << line.section(u'|', 0, 1) + '|' + variants.join(u',');
        }
        Edit *editor = openOn(id.toStdString());
        QSignalSpy reports(editor, &Edit::sendInfoToMainWindow);
        pressOnNextMessageBox(QMessageBox::No);
        click(editor, "pushButtonDelete");
        QCOMPARE(catalogueSummary(), before);
        QVERIFY(editor->isVisible());
        pressOnNextMessageBox(QMessageBox::Yes);
        click(editor, "pushButtonDelete");
        QCOMPARE(catalogueSummary(), expected);
        QCOMPARE(reports.count(), 1);
        QVERIFY(!editor->isVisible());
    }
}

QTEST_MAIN(TestEdit)
#include "tst_edit.moc"
