#include "testsupport.h"

#include "cataloguecommands.h"
#include "chooserfolder.h"
#include "commandline.h"
#include "edit.h"
#include "mainwindow.h"
#include "pricelist.h"

#include <QApplication>
#include <QCompleter>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <map>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The steps, each "verb argument", besides the catalogue's own (see testsupport.cpp):
//   new, open E V, openid E ID, use N a New Furniture editor; an editor on variant V (or the
//                                     identifier ID) of element E ("none": no element); the
//                                     N-th editor opened becomes the current one
//   press Save, type Color =blue,     in the current editor: a button, keys into a field,
//   fill A|B|...|L, close             the twelve editable fields, the window's close control
//   window, menu Open, click 0 0 1,   a main window, a File menu entry, a double-click on a
//   quit, invoke SLOT, move X Y       tree row (an editor it opens becomes current), closing it,
//                                     a slot of the main window called by its name, moving it
//   start ARGUMENTS, trigger ACTION   a main window started with this command line; an action
//                                     of the current editor (actionACTION)
//   answer Yes + Ok, choose PATH      the next message boxes (by standard button or text; No=TEXT
//                                     types TEXT into the box's field first) and
//                                     file chooser are answered so
//   shortcut SEQUENCE                 keys pressed in the current editor, or else the window
//   filter TEXT, key WIDGET KEY       keys into the main window's filter (as `type`), a key
//                                     such as Return (Qt::Key_Return) to one of its widgets
//   stretch E N                       element E's name becomes N letters "é"
//   action NAME, preview [ROLE...]    the main window's action actionNAME is triggered; the next
//   BUTTON                            import preview gets ROLEs in its combo boxes and is answered
//                                     with BUTTON (Apply, Cancel; Cancel where BUTTON is off), its
//                                     title and summary noted for `asked`
//   cancel                            the next progress dialog, once shown, is cancelled, its
//                                     title and text noted for `asked`
//   listfilter TEXT, sortlist C,      in the price list (Ctrl+L): keys into its filter (as
//   select R,R..., cell R C TEXT,     `type`), a click on the header of column C, rows R
//   listpress BUTTON, bulk K AMOUNT   selected (the last current), cell R C edited (F2), TEXT
//                                     typed over it and Return; a button or check box; the next price or
//                                     stock question answered with change K and AMOUNT, OK
//                                     where it lets, else Cancel (its texts go to `asked`)
//   clipboard TEXT, listkeys SEQUENCE the clipboard holds TEXT (%XX a byte); keys pressed in the
//   listfocus NAME, current R C       list, where its focus is; the list's widget NAME takes the
//                                     focus; cell R C becomes the current one, the selection kept
//   activate, button NAME             the main window comes back to the front; its button NAME
//                                     is clicked
//   reopen ENTRY                      Open Recent's entry of that text is chosen
//   pick ROW                          the tree's current row becomes ROW, as the arrow keys make it
//   resolve ACTION + ...              the next conflicts dialog, noted in `asked` as
//                                     "Conflicts|ID FIELD THEIRS OURS,...|DEFAULT", is answered:
//                                     ROW=Mine or ROW=Theirs, KeepAllMine, KeepAllTheirs, OK, Cancel
// Checks: notices PATH END,... (the in-use notices beside PATH by the ends of their names),
// fields, field NAME TEXT, buttons, editable yes|no, heading (editor title),
// picture (photo label), editor shown|closed, asked TITLE|TEXT|DEFAULT + ... (boxes since the last check, %0A a line break),
// warned DATA (the one box since the last check is the warning whose text is tests/data/DATA),
// title, size WxH, label NAME TEXT (a label or button), menus (the File menu's entries and shortcuts), status,
// completes FIELD PREFIX TEXT|... (what the field's completer offers), placed (the editor is
// whole on the screen, over the main window),
// recent PATH|... (Open Recent's entries as paths below the scratch folder, " off" when
// disabled, then its separator and Clear list), tree (rows, and not editable), main shown|closed (the main window), chooser shown|hidden
// (the photo field's button), starts PATH (where catalogue choosers start), edits (the Edit
// menu), rows folded|unfolded (every tree row with children), tip ROW TEXT (a row's tooltip, lines joined
// by "|"), length ROW N (a row's text length); a ROW is a path of row numbers such as 0/1/0;
// listed R + R... (the list's rows "identifier price stock", "!" low, "*" selected), editing
// yes|no (a cell of the list in edit), copied TEXT (Ctrl+C over the list: tabs as "|", lines
// ending in " / "). `key` and `label` find their widget in the list too; shows NAME yes|no (a widget of
// the main window is visible, or an action enabled); listtitle TEXT, at R C (the list's current
// cell), focused NAME (the list's widget with the focus), enabled NAME yes|no (a widget or action of
// the list), tooltip NAME TEXT (of a widget or action of the list), listshown yes|no, rowmenu
// ENTRY|... (the list's menu of a row, with keys); details TEXT (the details pane's texts
// shown, lines joined by "|", a photo as "[photo]", its Open button as "Open", once the photo is read).
namespace {

QLineEdit *field(const QWidget *window, const QString &name)
{
    return window->findChild<QLineEdit *>(name);
}

void press(const QWidget *window, const QString &button)
{
    window->findChild<QPushButton *>("pushButton" + button)->click();
}

// Types `keys` at the end of a field; "=" first clears it, %08 is a Backspace.
void type(const QWidget *window, const QString &name, QString keys)
{
    keys.replace("%08", "\b");
    if (keys.startsWith(u'='))
        field(window, name)->clear();
    QTest::keyClick(field(window, name), Qt::Key_End);
    QTest::keyClicks(field(window, name), keys.remove(u'='));
}

Edit *shown(Edit *editor)
{
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    return editor;
}

// Element `element` of the catalogue; "none" is no element.
Furniture *element(const QString &element)
{
    return element == "none" ? nullptr : testedDocument().catalogue().getFurnitures().at(element.toInt());
}

// The editor's fields, lineEdit<name>, in the order of the form.
const QStringList fieldNames { "ID1", "ID2", "ID3", "CatName", "ElementName", "Description", "Length", "Height",
                               "Width", "Weight", "Designer", "Photo", "Color", "Price", "Stock" };

QString shownFields(const Edit *editor)
{
    QStringList texts;
    for (const QString &name : fieldNames)
        texts << field(editor, "lineEdit" + name)->text();
    return texts.join(u'|');
}

// Answers are owned here, so that none left unanswered outlives its scenario.
QObject *pendingAnswers()
{
    static QObject owner;
    return &owner;
}

void answerNextModal(const char *kind, const std::function<void(QWidget *)> &answer)
{
    auto *poll = new QTimer(pendingAnswers());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, kind, answer] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->inherits(kind)) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(10);
}

void answerMessageBoxes(const QStringList &buttons, QStringList *seen)
{
    if (buttons.isEmpty())
        return;
    answerNextModal("QMessageBox", [buttons, seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QStringList shown { box->windowTitle(), box->text(), box->defaultButton() ? box->defaultButton()->text() : "" };
        // A box with a field of its own: its text is noted, and "BUTTON=TEXT" types TEXT into it.
        const QString name = buttons.first().section(u'=', 0, 0);
        if (auto *field = box->findChild<QLineEdit *>()) {
            shown << field->text();
            if (buttons.first().contains(u'='))
                field->setText(buttons.first().section(u'=', 1));
        }
        *seen << shown.join(u'|');
        const int standard = QMetaEnum::fromType<QMessageBox::StandardButtons>().keyToValue(qPrintable(name));
        const QList<QAbstractButton *> named = box->buttons();
        const auto byText = std::find_if(named.begin(), named.end(), [&name](QAbstractButton *b) { return b->text() == name; });
        (name == "default" ? box->defaultButton()
                           : name == "first" ? box->buttons().first()
                           : standard < 0    ? *byText : box->button(QMessageBox::StandardButton(standard)))
                ->click();
        answerMessageBoxes(buttons.mid(1), seen);
    });
}

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

// Whether each tree row with children below `parent` is unfolded.
QSet<bool> unfoldings(const QTreeView *view, const QModelIndex &parent = {})
{
    QSet<bool> seen;
    for (int row = 0; row < view->model()->rowCount(parent); ++row)
        if (const QModelIndex index = view->model()->index(row, 0, parent); view->model()->hasChildren(index))
            seen += unfoldings(view, index) << view->isExpanded(index);
    return seen;
}

class Player
{
public:
    explicit Player(const ScratchTree &tree) : tree(tree), catalogue(tree) {}
    ~Player()
    {
        qDeleteAll(pendingAnswers()->children());
        // An editor takes its fields' completion popups, top-level widgets too, with it.
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QPointer<QWidget> &widget : QList<QPointer<QWidget>>(windows.begin(), windows.end()))
            if (qobject_cast<Edit *>(widget))
                delete widget;
    }
    void play(const QString &verb, const QString &text);

private:
    // Runs `action`; an editor it brings up becomes the current one.
    void adopt(const std::function<void()> &action)
    {
        const auto shown = [] {
            QList<Edit *> editors;
            for (QWidget *widget : QApplication::allWidgets())
                if (auto *editor = qobject_cast<Edit *>(widget); editor && editor->isVisible())
                    editors << editor;
            return editors;
        };
        const QList<Edit *> before = shown();
        action();
        for (Edit *editor : shown())
            if (!before.contains(editor))
                editors << (current = editor);
    }
    QTreeView *view() const { return window->findChild<QTreeView *>(); }
    static PriceList *list()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *list = qobject_cast<PriceList *>(widget); list && list->isVisible())
                return list;
        return nullptr;
    }
    static QTableView *table() { return list()->findChild<QTableView *>("tableViewVariants"); }
    // The widget of that name in the main window, else in the list.
    template<typename Widget>
    Widget *named(const QString &name) const
    {
        Widget *widget = window->findChild<Widget *>(name);
        return widget ? widget : list()->findChild<Widget *>(name);
    }
    static QString listed()
    {
        QStringList rows;
        const QAbstractItemModel *model = table()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const auto at = [model, row](int column, int role = Qt::DisplayRole) { return model->index(row, column).data(role); };
            rows << QStringList({ at(0).toString(), at(4).toString(), at(5).toString() }).join(u' ')
                            + (at(5, Qt::DecorationRole).isNull() ? "" : "!")
                            + (table()->selectionModel()->isRowSelected(row) ? "*" : "");
        }
        return rows.join(" + ");
    }
    QString details() const
    {
        QStringList shown;
        for (const char *name : { "labelDetailsHeading", "labelDetailsPhoto", "labelDetailsFacts", "labelDetailsLowStock" }) {
            const auto *label = window->findChild<QLabel *>(name);
            if (label->isVisible() && !label->pixmap().isNull())
                shown << "[photo]";
            else if (label->isVisible() && !label->text().isEmpty())
                shown << label->text();
        }
        if (const auto *description = window->findChild<QPlainTextEdit *>("plainTextEditDetailsDescription"); description->isVisible())
            shown << description->toPlainText();
        if (window->findChild<QPushButton *>("pushButtonDetailsOpen")->isVisible())
            shown << "Open";
        return shown.join(u'|').replace(u'\n', u'|');
    }
    QModelIndex row(const QString &path) const
    {
        QModelIndex index;
        for (const QString &row : path.split(u'/'))
            index = view()->model()->index(row.toInt(), 0, index);
        return index;
    }

    const ScratchTree &tree;
    CatalogueSteps catalogue;
    std::unique_ptr<MainWindow> window;
    QList<QPointer<Edit>> editors;
    QPointer<Edit> current;
    QStringList asked;
};

void Player::play(const QString &verb, const QString &text)
{
    const QStringList words = text.split(u' '), items = text.split(" + ", Qt::SkipEmptyParts);
    const QString path = tree.path(words.value(0)), rest = text.section(u' ', 1);
    const QStringList entries { "New", "New Furniture", "", "Open", "Open Recent", "Save", "Save as", "", "Leave" };
    // Open Recent's entries, filled as when the menu opens.
    const auto recentEntries = [this] {
        auto *menu = window->findChild<QMenu *>("menuRecent");
        emit menu->aboutToShow();
        return menu->actions();
    };
    const std::map<QString, std::function<void()>> steps {
        { "new", [&] { adopt([] { (new Edit(nullptr))->show(); }); current->setAttribute(Qt::WA_DeleteOnClose); } },
        { "open", [&] { editors << (current = shown(new Edit(nullptr, element(words[0]), std::size_t(words[1].toInt())))); } },
        { "openid", [&] { editors << (current = shown(new Edit(nullptr, element(words[0]), words[1].toStdString()))); } },
        { "use", [&] { current = editors.value(text.toInt()); } },
        { "press", [&] { adopt([&] { press(current, text); }); } },
        { "type", [&] { type(current, "lineEdit" + words[0], rest); } },
        { "fill", [&] {
             for (int i = 3; i < fieldNames.size(); ++i)
                 field(current, "lineEdit" + fieldNames[i])->setText(text.section(u'|', i - 3, i - 3));
         } },
        { "close", [&] { current->close(); } },
        { "window", [&] { (window = std::make_unique<MainWindow>())->show(); } },
        { "menu", [&] { adopt([&] { window->menuBar()->actions()[0]->menu()->actions().at(entries.indexOf(text))->trigger(); }); } },
        { "click", [&] {
             QModelIndex index;
             for (const QString &row : words)
                 index = view()->model()->index(row.toInt(), 0, index);
             adopt([&] { emit view()->doubleClicked(index); });
         } },
        { "quit", [&] { window->close(); } },
        { "move", [&] { window->move(words[0].toInt(), words.value(1).toInt()); } },
        { "start", [&] { (window = std::make_unique<MainWindow>())->show(); CommandLine(QStringList("kalvio") + words).openCatalogueIn(*window); } },
        { "trigger", [&] { current->findChild<QAction *>("action" + text)->trigger(); } },
        { "invoke", [&] { adopt([&] { QVERIFY(QMetaObject::invokeMethod(window.get(), qPrintable(text))); }); } },
        { "answer", [&] { answerMessageBoxes(items, &asked); } },
        { "action", [&] { adopt([&] { named<QAction>("action" + text)->trigger(); }); } },
        { "cancel", [&] {
             answerNextModal("QProgressDialog", [this](QWidget *modal) {
                 auto *progress = qobject_cast<QProgressDialog *>(modal);
                 asked << progress->windowTitle() + '|' + progress->labelText();
                 progress->cancel();
             });
         } },
        { "preview", [&] {
             answerNextModal("ImportPreviewDialog", [this, words](QWidget *modal) {
                 asked << modal->windowTitle() + '|' + modal->findChild<QLabel *>("labelSummary")->text();
                 for (int column = 1; column < words.size(); ++column)
                     modal->findChild<QComboBox *>(QString("comboBoxColumn%1").arg(column))->setCurrentText(words[column - 1]);
                 // A button that is off leaves the preview open: Cancel then.
                 for (QPushButton *button : modal->findChildren<QPushButton *>())
                     if (button->text() == words.last())
                         return button->isEnabled() ? button->click() : qobject_cast<QDialog *>(modal)->reject();
             });
         } },
        { "print", [&] {
             // Print in the preview, to the file named, through the print dialog.
             answerNextModal("QPrintPreviewDialog", [path](QWidget *preview) {
                 answerNextModal("QPrintDialog", [path](QWidget *dialog) {
                     auto *printers = dialog->findChild<QComboBox *>("printers");
                     printers->setCurrentIndex(printers->count() - 1);
                     dialog->findChild<QLineEdit *>("filename")->setText(path);
                     auto *asking = qobject_cast<QDialog *>(dialog);
                     asking->accept();
                     // Open still, where the file was refused.
                     if (asking->isVisible())
                         asking->reject();
                 });
                 for (QAction *action : preview->findChildren<QAction *>())
                     if (action->text() == QPrintPreviewDialog::tr("Print"))
                         action->trigger();
                 if (preview->isVisible())
                     qobject_cast<QDialog *>(preview)->reject();
             });
         } },
        { "choose", [&] {
             answerNextModal("QFileDialog", [chosen = text.isEmpty() ? QString() : path](QWidget *modal) {
                 auto *chooser = qobject_cast<QFileDialog *>(modal);
                 if (chosen.isEmpty())
                     return chooser->reject();
                 chooser->findChild<QLineEdit *>("fileNameEdit")->setText(chosen);
                 QMetaObject::invokeMethod(chooser, &QDialog::accept);
             });
         } },
        { "activate", [&] {
             QApplication::setActiveWindow(nullptr);
             QApplication::setActiveWindow(window.get());
         } },
        { "button", [&] { adopt([&] { window->findChild<QPushButton *>(text)->click(); }); } },
        { "pick", [&] { view()->setCurrentIndex(row(text)); } },
        { "details", [&] { QTRY_COMPARE(details(), text); } },
        { "reopen", [&] {
             for (QAction *entry : recentEntries())
                 if (entry->text() == text)
                     adopt([entry] { entry->trigger(); });
         } },
        { "notices", [&] {
             // The in-use notices beside the file: their names' ends, this program's own as "ours".
             const QFileInfo file(tree.path(words[0]));
             QStringList ends;
             for (const QString &name : file.dir().entryList({ '.' + file.fileName() + ".kalvio-inuse*" }, QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
                 const QString end = name.section(".kalvio-inuse", 1);
                 ends << (end.size() == 20 ? "ours" : end.mid(1));
             }
             ends.sort();
             QCOMPARE(ends.join(u','), rest);
         } },
        { "recent", [&] {
             QStringList shown;
             for (const QAction *entry : recentEntries())
                 shown << (entry->toolTip() == entry->text() ? entry->text() : QDir(tree.path("")).relativeFilePath(entry->toolTip() + '/' + entry->text()))
                                 + (entry->isEnabled() ? "" : " off");
             QCOMPARE(shown.join(u'|'), text);
         } },
        { "shows", [&] {
             const QWidget *widget = window->findChild<QWidget *>(words[0]);
             QCOMPARE(widget ? widget->isVisible() : window->findChild<QAction *>(words[0])->isEnabled(), words.value(1) == "yes");
         } },
        { "resolve", [&] {
             answerNextModal("MergeConflictsDialog", [this, items](QWidget *modal) {
                 auto *table = modal->findChild<QTableWidget *>("tableConflicts");
                 auto *buttons = modal->findChild<QDialogButtonBox *>();
                 QStringList rows;
                 for (int row = 0; row < table->rowCount(); ++row)
                     rows << QStringList({ table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text(), table->item(row, 3)->text() }).join(u' ');
                 asked << "Conflicts|" + rows.join(u',') + (buttons->button(QDialogButtonBox::Ok)->isDefault() ? "|OK" : "|");
                 for (const QString &item : items) {
                     if (item.contains(u'='))
                         qobject_cast<QComboBox *>(table->cellWidget(item.section(u'=', 0, 0).toInt(), 4))->setCurrentText(item.section(u'=', 1));
                     else if (auto *button = modal->findChild<QPushButton *>("pushButton" + item))
                         button->click();
                     else
                         buttons->button(item == "OK" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
                 }
             });
         } },
        { "shortcut", [&] {
             QWidget *target = current && current->isVisible() ? current->window() : window.get();
             QApplication::setActiveWindow(target);
             QTest::keySequence(target, QKeySequence(text));
         } },
        { "filter", [&] { type(window.get(), "lineEditFilter", text); } },
        { "key", [&] {
             const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable("Key_" + words.value(1)));
             adopt([&] { QTest::keyClick(named<QWidget>(words[0]), Qt::Key(key)); });
         } },
        { "stretch", [&] { element(words[0])->setName(QString(words[1].toInt(), QChar(0xe9)).toStdString()); } },
        { "fields", [&] { QCOMPARE(shownFields(current), text); } },
        { "field", [&] { QCOMPARE(field(current, "lineEdit" + words[0])->text(), rest); } },
        { "buttons", [&] {
             QStringList shown;
             for (const char *name : { "Save", "Edit", "Delete", "Close" })
                 if (current->findChild<QPushButton *>(QStringLiteral("pushButton") + name)->isVisibleTo(current))
                     shown << name;
             QCOMPARE(shown.join(u' '), text);
         } },
        { "editable", [&] {
             for (const QLineEdit *line : current->findChildren<QLineEdit *>()) {
                 QCOMPARE(line->isReadOnly(), line->objectName().startsWith("lineEditID") || text == "no");
                 QCOMPARE(line->styleSheet(), line->isReadOnly() ? "background-color: lightgray;" : "background-color: white;");
             }
         } },
        { "heading", [&] { QCOMPARE(current->windowTitle(), text); } },
        { "picture", [&] { QCOMPARE(current->findChild<QLabel *>("labelImage")->text(), text); } },
        { "editor", [&] { QCOMPARE(current && current->isVisible(), text == "shown"); } },
        { "asked", [&] { QCOMPARE(std::exchange(asked, {}).join(" + "), QByteArray::fromPercentEncoding(text.toUtf8())); } },
        { "warned", [&] {
             const QString warning = QString::fromUtf8(readFile(QFINDTESTDATA("data/" + text)).trimmed());
             QCOMPARE(std::exchange(asked, {}), QStringList("Warning|" + QString(warning).replace("%1", tree.path("")) + "|OK"));
         } },
        { "title", [&] { QCOMPARE(window->windowTitle(), text); } },
        { "size", [&] { QCOMPARE(QStringLiteral("%1x%2").arg(window->maximumWidth()).arg(window->minimumHeight()), text); } },
        { "label", [&] { QCOMPARE(named<QWidget>(words[0])->property("text").toString(), rest); } },
        { "listfilter", [&] { type(list(), "lineEditListFilter", text); } },
        { "sortlist", [&] {
             const QHeaderView *header = table()->horizontalHeader();
             const int column = text.toInt();
             QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                               QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
         } },
        { "select", [&] {
             table()->clearSelection();
             for (const QString &row : text.split(u','))
                 table()->selectionModel()->setCurrentIndex(table()->model()->index(row.toInt(), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
         } },
        { "cell", [&] {
             table()->setCurrentIndex(table()->model()->index(words[0].toInt(), words[1].toInt()));
             QTest::keyClick(table(), Qt::Key_F2);
             auto *editor = table()->viewport()->findChild<QLineEdit *>();
             editor->selectAll();
             QTest::keyClicks(editor, text.section(u' ', 2));
             QTest::keyClick(editor, Qt::Key_Return);
             QApplication::sendPostedEvents();
             QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         } },
        { "listpress", [&] { list()->findChildren<QAbstractButton *>(QRegularExpression("^(pushButton|checkBox)" + text + "$")).value(0)->click(); } },
        { "bulk", [&] {
             answerNextModal("QDialog", [this, kind = words[0].toInt(), amount = words.value(1)](QWidget *question) {
                 question->findChild<QComboBox *>()->setCurrentIndex(kind);
                 question->findChild<QLineEdit *>()->setText(amount);
                 asked << question->findChild<QLabel *>("labelQuestion")->text() + '|' + question->findChild<QLabel *>("labelRefusal")->text();
                 QPushButton *ok = question->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
                 ok->isEnabled() ? ok->click() : qobject_cast<QDialog *>(question)->reject();
             });
         } },
        { "listed", [&] { QCOMPARE(listed(), text); } },
        { "clipboard", [&] { QGuiApplication::clipboard()->setText(QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()))); } },
        { "listkeys", [&] {
             QApplication::setActiveWindow(list());
             QTest::keySequence(list()->focusWidget() ? list()->focusWidget() : list(), QKeySequence(text));
         } },
        { "listfocus", [&] {
             QApplication::setActiveWindow(list());
             list()->findChild<QWidget *>(text)->setFocus();
         } },
        { "current", [&] {
             table()->selectionModel()->setCurrentIndex(table()->model()->index(words[0].toInt(), words[1].toInt()), QItemSelectionModel::NoUpdate);
         } },
        { "at", [&] { QCOMPARE(QString("%1 %2").arg(table()->currentIndex().row()).arg(table()->currentIndex().column()), text); } },
        { "focused", [&] { QCOMPARE(list()->focusWidget() ? list()->focusWidget()->objectName() : QString(), text); } },
        { "listtitle", [&] { QCOMPARE(list()->windowTitle(), text); } },
        { "listshown", [&] { QCOMPARE(list() ? "yes" : "no", text); } },
        { "rowmenu", [&] {
             for (const QMenu *menu : list()->findChildren<QMenu *>()) {
                 if (!menu->findChild<QAction *>("actionListOpen") && !menu->actions().contains(list()->findChild<QAction *>("actionListOpen")))
                     continue;
                 QStringList entries;
                 for (const QAction *action : menu->actions())
                     entries << (action->text() + ' ' + action->shortcut().toString()).trimmed();
                 QCOMPARE(entries.join(u'|'), text);
             }
         } },
        { "enabled", [&] {
             const QWidget *widget = list()->findChild<QWidget *>(words[0]);
             QCOMPARE(widget ? widget->isEnabled() : list()->findChild<QAction *>(words[0])->isEnabled(), words.value(1) == "yes");
         } },
        { "tooltip", [&] {
             const QWidget *widget = list()->findChild<QWidget *>(words[0]);
             QCOMPARE(widget ? widget->toolTip() : list()->findChild<QAction *>(words[0])->toolTip(), rest);
         } },
        { "copied", [&] {
             QApplication::setActiveWindow(list());
             table()->setFocus();
             QTest::keySequence(table(), QKeySequence::Copy);
             QCOMPARE(QGuiApplication::clipboard()->text().replace(u'\t', u'|').replace(u'\n', " / "), text);
         } },
        { "editing", [&] { QCOMPARE(table()->indexWidget(table()->currentIndex()) ? "yes" : "no", text); } },
        { "menus", [&] {
             QStringList menu { window->menuBar()->actions()[0]->text() };
             for (const QAction *action : window->menuBar()->actions()[0]->menu()->actions())
                 menu << action->text() + ' ' + action->shortcut().toString();
             QCOMPARE(menu.join(u'|'), text);
         } },
        { "edits", [&] {
             const QMenu *menu = window->findChild<QMenu *>("menuEdit");
             QStringList shown { menu->title() };
             for (const QAction *action : menu->actions())
                 shown << QStringList({ action->text(), QKeySequence::listToString(action->shortcuts()), action->isEnabled() ? "on" : "off" }).join(u' ');
             QCOMPARE(shown.join(u'|'), text);
         } },
        { "status", [&] { QCOMPARE(window->statusBar()->currentMessage(), text); } },
        { "tree", [&] {
             QCOMPARE(view()->editTriggers(), QAbstractItemView::NoEditTriggers);
             QCOMPARE(dump(view()->model()), text);
         } },
        { "rows", [&] { QCOMPARE(unfoldings(view()), QSet<bool>({ text == "unfolded" })); } },
        { "tip", [&] { QCOMPARE(row(words[0]).data(Qt::ToolTipRole).toString().replace(u'\n', u'|'), rest); } },
        { "length", [&] { QCOMPARE(row(words[0]).data().toString().size(), words.value(1).toInt()); } },
        { "main", [&] { QCOMPARE(window->isVisible(), text == "shown"); } },
        { "completes", [&] {
             QCompleter *completer = field(current, "lineEdit" + words[0])->completer();
             completer->setCompletionPrefix(words.value(1));
             QStringList offered;
             for (int row = 0; completer->setCurrentRow(row); ++row)
                 offered << completer->currentCompletion();
             QCOMPARE(offered.join(u'|'), text.section(u' ', 2));
         } },
        { "placed", [&] {
             const QRect editor = current->frameGeometry();
             QVERIFY(current->screen()->availableGeometry().contains(editor));
             QVERIFY(editor.contains(window->frameGeometry().center()));
         } },
        { "chooser", [&] { QCOMPARE(current->findChild<QAction *>("actionChoosePhoto")->isVisible(), text == "shown"); } },
        { "starts", [&] { QCOMPARE(ChooserFolder::start(), path); } },
    };
    if (const auto step = steps.find(verb); step != steps.end())
        step->second();
    else
        QVERIFY2(catalogue.play(verb, text), qPrintable("no step " + verb));
}

} // namespace

CatalogueDocument &testedDocument()
{
    return Edit::document();
}

void play(const QString &steps, const ScratchTree &tree)
{
    Player player(tree);
    playSteps(steps, tree, [&player](const QString &verb, const QString &text) { player.play(verb, text); });
}
