#include "edit.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

namespace {

// The tree as text: "Category[element[id,id],element]" rows separated by spaces.
QString dump(const QAbstractItemModel *model, const QModelIndex &parent = {})
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        const QString children = dump(model, index);
        rows << index.data().toString() + (children.isEmpty() ? QString() : '[' + children + ']');
    }
    return rows.join(parent.isValid() ? u',' : u' ');
}

// Answers the next file chooser with `path`, or cancels it when `path` is empty.
void choose(const QString &path)
{
    answerNextModal([path](QWidget *modal) {
        auto *chooser = qobject_cast<QFileDialog *>(modal);
        if (path.isEmpty())
            return chooser->reject();
        chooser->findChild<QLineEdit *>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(chooser, &QDialog::accept);
    });
}

QList<Edit *> openEditors(const MainWindow &window)
{
    QList<Edit *> editors = window.findChildren<Edit *>();
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *editor = qobject_cast<Edit *>(widget))
            editors << editor;
    return editors;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Edit::sof.clear(); }
    void window_data();
    void window();
    void menu();
    void tree_data();
    void tree();
    void doubleClick_data();
    void doubleClick();
    void fileCommands();
    void brokenFileIsNotAdopted();
    void editorsReportAndAreReleased();

private:
    QAction *entry(const MainWindow &window, int position) const
    {
        return window.menuBar()->actions().first()->menu()->actions().at(position);
    }
    ScratchTree scratch;
};

void TestMainWindow::window_data()
{
    QTest::addColumn<bool>("logo");
    QTest::newRow("logo present") << true;
    QTest::newRow("logo missing") << false;
}

void TestMainWindow::window()
{
    QFETCH(bool, logo);
    QFile::remove(scratch.path("Images/logo.png"));
    if (logo)
        QImage(30, 20, QImage::Format_RGB32).save(scratch.path("Images/logo.png"));
    const MainWindow window;
    QCOMPARE(window.minimumSize(), QSize(1000, 600));
    QCOMPARE(window.maximumSize(), QSize(1000, 600));
    QCOMPARE(window.windowTitle(), "Kälviö");
    QCOMPARE(window.findChild<QLabel *>("label")->text(), "    Kälviö");
    const auto *labelImage = window.findChild<QLabel *>("labelImage");
    QCOMPARE(labelImage->text(), logo ? "" : "Image not found");
    QCOMPARE(labelImage->pixmap().isNull(), !logo);
}

void TestMainWindow::menu()
{
    MainWindow window;
    QCOMPARE(window.menuBar()->actions().first()->text(), "&File");
    QStringList entries;
    for (const QAction *action : window.menuBar()->actions().first()->menu()->actions())
        entries << (action->isSeparator() ? "|" : action->text() + ' ' + action->shortcut().toString());
    QCOMPARE(entries, QStringList({ "&New Ctrl+Shift+N", "&New Furniture Ctrl+N", "|", "&Open Ctrl+O", "&Save Ctrl+S",
                                    "&Save as Ctrl+Shift+S", "|", "&Leave Ctrl+Q" }));
    // Each choice runs its command once: one editor, one chooser.
    entry(window, 1)->trigger();
    QCOMPARE(openEditors(window).size(), 1);
    delete openEditors(window).first();
    int choosers = 0;
    for (int position : { 3, 4, 5 }) {
        answerNextModal([&choosers](QWidget *modal) { ++choosers; qobject_cast<QDialog *>(modal)->reject(); });
        entry(window, position)->trigger();
    }
    QCOMPARE(choosers, 3);
}

void TestMainWindow::tree_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("rows");
    QTest::newRow("empty") << QStringList() << "No category";
    QTest::newRow("A B A") << QStringList({ "A|x|c|1.1.1", "B|y|c|2.1.1", "A|z|c|1.2.1,1.2.2" }) << "A[x[1.1.1],z[1.2.1,1.2.2]] B[y[2.1.1]]";
    QTest::newRow("letter case") << QStringList({ "a|x|c|1.1.1", "A|x|c|2.1.1" }) << "a[x[1.1.1]] A[x[2.1.1]]";
    QTest::newRow("no variants, empty category") << QStringList({ "|x|c|", "A|x|c|1.1.1", "A|x|c|1.1.1" })
                                                 << "[x] A[x[1.1.1],x[1.1.1]]";
}

void TestMainWindow::tree()
{
    QFETCH(QStringList, elements);
    fillCatalogue(elements);
    MainWindow window;
    const auto *view = window.findChild<QTreeView *>("treeView");
    QTEST(dump(view->model()), "rows");
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < 30; ++i)
        window.updateTreeView();
    QCOMPARE(window.findChildren<QStandardItemModel *>().size(), 1);
}

void TestMainWindow::doubleClick_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("opened");
    QTest::newRow("variant in two elements opens the later") << "v1.2/first/001.001.001" << "second";
    QTest::newRow("category with a point") << "v1.2" << "";
    QTest::newRow("element") << "v1.2/first" << "";
}

void TestMainWindow::doubleClick()
{
    QFETCH(QString, row);
    QFETCH(QString, opened);
    fillCatalogue({ "v1.2|first|c|001.001.001", "w|second|c|001.001.001" });
    MainWindow window;
    auto *view = window.findChild<QTreeView *>("treeView");
    QModelIndex index;
    for (const QString &text : row.split(u'/'))
        index = view->model()->match(view->model()->index(0, 0, index), Qt::DisplayRole, text, 1, Qt::MatchExactly).value(0);
    emit view->doubleClicked(index);
    const QList<Edit *> editors = window.findChildren<Edit *>();
    QCOMPARE(editors.size(), opened.isEmpty() ? 0 : 1);
    if (!opened.isEmpty())
        QCOMPARE(editors.first()->findChild<QLineEdit *>("lineEditElementName")->text(), opened);
}

void TestMainWindow::fileCommands()
{
    scratch.write("json/shop.spring.json", readFile(QFINDTESTDATA("data/chairs.json")));
    scratch.write("json/.json", readFile(QFINDTESTDATA("data/chairs.json")));
    MainWindow window;
    const auto *view = window.findChild<QTreeView *>("treeView");
    choose(scratch.path("json/shop.spring.json"));
    entry(window, 3)->trigger();
    QCOMPARE(window.windowTitle(), "shop - Kälviö");
    choose(scratch.path("json/.json"));
    entry(window, 3)->trigger();
    QCOMPARE(window.windowTitle(), " - Kälviö");
    QCOMPARE(dump(view->model()), "Chairs[Alba[001.001.001],Brisa[001.002.001],Alba[001.001.001],Brisa[001.002.001]]");

    choose(QString());
    entry(window, 3)->trigger();
    choose(scratch.path("json/other.json"));
    entry(window, 5)->trigger();
    entry(window, 4)->trigger();
    QCOMPARE(window.windowTitle(), " - Kälviö");
    QCOMPARE(readFile(scratch.path("json/.json")), readFile(scratch.path("json/other.json")));
    QCOMPARE(readFile(scratch.path("json/.json")).count("\"Brisa\""), 2);

    entry(window, 0)->trigger();
    QCOMPARE(window.windowTitle(), "Kälviö");
    QCOMPARE(dump(view->model()), "No category");
    choose(QString());
    entry(window, 4)->trigger();
    QCOMPARE(readFile(scratch.path("json/.json")).count("\"Brisa\""), 2);
    choose(scratch.path("json/empty.json"));
    entry(window, 4)->trigger();
    QCOMPARE(readFile(scratch.path("json/empty.json")), "[\n]\n");
}

// A file that cannot be read must not become the file that Save overwrites.
void TestMainWindow::brokenFileIsNotAdopted()
{
    scratch.write("json/good.json", readFile(QFINDTESTDATA("data/chairs.json")));
    scratch.write("json/typo.json", "[{\"category\": ");
    MainWindow window;
    choose(scratch.path("json/good.json"));
    entry(window, 3)->trigger();
    choose(scratch.path("json/typo.json"));
    entry(window, 3)->trigger();
    QCOMPARE(window.windowTitle(), "good - Kälviö");
    entry(window, 4)->trigger();
    QCOMPARE(readFile(scratch.path("json/typo.json")), "[{\"category\": ");
    QCOMPARE(Edit::sof.getFurnitures().size(), size_t(2));
}

void TestMainWindow::editorsReportAndAreReleased()
{
    fillCatalogue({ "A|x|c|001.001.001,001.001.002" });
    MainWindow window;
    auto *view = window.findChild<QTreeView *>("treeView");
    const auto variantIndex = [view] { return view->model()->index(0, 0, view->model()->index(0, 0, view->model()->index(0, 0))); };
    for (const char *button : { "pushButtonClose", "pushButtonDelete" }) {
        emit view->doubleClicked(variantIndex());
        QPointer<Edit> editor = window.findChildren<Edit *>().last();
        if (button == QLatin1String("pushButtonDelete"))
            pressOnNextMessageBox(QMessageBox::Yes);
        view->expandAll();
        editor->findChild<QPushButton *>(button)->click();
        QCOMPARE(view->isExpanded(view->model()->index(0, 0)), false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(editor.isNull());
    }
    QCOMPARE(dump(view->model()), "A[x[001.001.002]]");

    entry(window, 1)->trigger();
    QPointer<Edit> editor = openEditors(window).first();
    editor->findChild<QLineEdit *>("lineEditCatName")->setText("B");
    editor->findChild<QPushButton *>("pushButtonSave")->click();
    QCOMPARE(dump(view->model()), "A[x[001.001.002]] B[[002.001.001]]");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(editor.isNull());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
