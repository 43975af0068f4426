#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "cataloguedocument.h"
#include "catalogueoperations.h"
#include "catalogueexchange.h"
#include "scantyping.h"
#include "cataloguesearch.h"
#include "cataloguetreemodel.h"
#include "chooserfolder.h"
#include "detailspane.h"
#include "edit.h"
#include "inuseholders.h"
#include "libraryversions.h"
#include "mergeconflictsdialog.h"
#include "photofolders.h"
#include "recoverycopy.h"
#include "pricelist.h"
#include "picturefile.h"
#include "picturelabel.h"
#include "recentfiles.h"
#include "pricelistmodel.h"
#include "userguide.h"
#include "stocktotals.h"
#include "syncconflicts.h"
#include "unkeptvalues.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>

#include <algorithm>
#include <utility>

namespace {

const QString appTitle = QStringLiteral("Kälviö");
const QString logoPath = QStringLiteral("../../Images/logo.png");
// The logo the program carries, for a start from anywhere but its build folder.
const QString bundledLogoPath = QStringLiteral(":/images/logo.png");
const QString fileFilter = QStringLiteral("Files JSON (*.json)");
// How long the status bar tells what Open or Save did.
const int statusTimeoutMs = 5000;
// A filter that took longer than this to show waits for a pause in the typing.
const qint64 instantFilterMs = 40;
const int filterPauseMs = 120;
// A save that finds the file locked by another program tries again this often, for so long,
// before it asks the user.
const int lockRetryMs = 100;
const qint64 lockWaitMs = 2000;

enum class Answer { Default, Other, Cancel };

// Asks `text` with two answers besides Cancel: `preferred`, the default, and `other`.
Answer askBetween(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                  const QString &preferred, const QString &other)
{
    QMessageBox question(icon, title, text, QMessageBox::Cancel, parent);
    QPushButton *defaultButton = question.addButton(preferred, QMessageBox::AcceptRole);
    const QPushButton *otherButton = question.addButton(other, QMessageBox::DestructiveRole);
    question.setDefaultButton(defaultButton);
    question.exec();
    if (question.clickedButton() == defaultButton)
        return Answer::Default;
    return question.clickedButton() == otherButton ? Answer::Other : Answer::Cancel;
}

} // namespace

// The File menu's slots are connected by buildFileMenu(): their actions are made after the
// form, so the form's connection by name, which connects the tree's double-click, warns
// that it finds no action of those names (the log category the program turns off at start).
MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), document(Edit::document()), recovery(document)
{
    ui->setupUi(this);
    setFixedSize(1000, 600);
    setWindowTitle(appTitle);
    showLogo(logoPath);
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildCatalogueMenu();
    buildHelpMenu();
    setupFilter();
    connect(&document, &CatalogueDocument::changed, this, &MainWindow::catalogueChanged);
    connect(&document, &CatalogueDocument::stateChanged, this, &MainWindow::updateWindowTitle);
    buttonReload = new QPushButton(tr("The file changed on disk: reload it"), this);
    buttonReload->setObjectName(QStringLiteral("pushButtonReload"));
    buttonReload->setFlat(true);
    buttonReload->hide();
    statusBar()->addPermanentWidget(buttonReload);
    connect(buttonReload, &QPushButton::clicked, this, &MainWindow::reloadCatalogue);
    buttonMergeCopy = new QPushButton(this);
    buttonMergeCopy->setObjectName(QStringLiteral("pushButtonMergeConflictCopy"));
    buttonMergeCopy->setFlat(true);
    buttonMergeCopy->hide();
    statusBar()->addPermanentWidget(buttonMergeCopy);
    connect(buttonMergeCopy, &QPushButton::clicked, this, &MainWindow::mergeConflictCopy);
    connect(ui->widgetDetails, &DetailsPane::openRequested, this,
            [this] { on_treeView_doubleClicked(ui->treeView->currentIndex()); });
    connect(&document, &CatalogueDocument::stateChanged, this, &MainWindow::offerReload);
    // Others count the notice as left by an ended program once it goes unrefreshed.
    noticeRefresh.start(InUseHolders::refreshMs);
    connect(&noticeRefresh, &QTimer::timeout, this, [this] { inUse.refresh(); });
    updateTreeView();
}

MainWindow::~MainWindow()
{
    delete priceList;
    delete userGuide;
    delete ui;
}

void MainWindow::showLogo(const QString &path)
{
    QPixmap logo;
    PictureStatus status = loadPicture(path, logo);
    if (status == PictureStatus::NotFound && logo.load(bundledLogoPath))
        status = PictureStatus::Loaded;
    PictureLabel::show(*ui->labelImage, status, logo);
    ui->labelImage->setScaledContents(status == PictureStatus::Loaded);
}

template<typename Command>
QAction *MainWindow::createAction(const QString &text, const char *shortcut, Command command)
{
    auto *action = new QAction(text, this);
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    connect(action, &QAction::triggered, this, command);
    return action;
}

void MainWindow::buildFileMenu()
{
    QMenu *menuFichier = ui->menubar->addMenu(tr("&File"));
    // Leave closes the window, which asks about unsaved work first; the program ends with
    // its last window.
    QAction *actionLeave = createAction(tr("&Leave"), "Ctrl+Q", &QWidget::close);
    QAction *actionOpen = createAction(tr("&Open"), "Ctrl+O", &MainWindow::on_actionOpen_triggered);
    actionSave = createAction(tr("&Save"), "Ctrl+S", &MainWindow::on_actionSave_triggered);
    actionSave->setObjectName(QStringLiteral("actionSave"));
    QAction *actionSaveAs =
            createAction(tr("&Save as"), "Ctrl+Shift+S", &MainWindow::on_actionSaveAs_triggered);
    QAction *actionNew = createAction(tr("&New"), "Ctrl+Shift+N", &MainWindow::on_actionNew_triggered);
    QAction *actionNewFurniture = createAction(tr("&New Furniture"), "Ctrl+N",
                                               &MainWindow::on_actionNewFurniture_triggered);

    menuFichier->addAction(actionNew);
    menuFichier->addAction(actionNewFurniture);
    menuFichier->addSeparator();
    menuFichier->addAction(actionOpen);
    menuFichier->addMenu(buildRecentMenu());
    menuFichier->addAction(actionSave);
    menuFichier->addAction(actionSaveAs);
    menuFichier->addSeparator();
    menuFichier->addAction(actionLeave);
}

// Filled each time it opens: another window may have added to the list, and a file may
// have gone since.
QMenu *MainWindow::buildRecentMenu()
{
    menuRecent = new QMenu(tr("Open &Recent"), this);
    menuRecent->setObjectName(QStringLiteral("menuRecent"));
    // The entries' tooltips tell files of the same name apart by their folders.
    menuRecent->setToolTipsVisible(true);
    connect(menuRecent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    return menuRecent;
}

void MainWindow::fillRecentMenu()
{
    menuRecent->clear();
    const QStringList paths = RecentFiles().paths();
    for (const QString &path : paths) {
        const QFileInfo file(path);
        // A "&" in a name is shown, not taken for a mnemonic.
        QAction *entry = menuRecent->addAction(file.fileName().replace(u'&', QStringLiteral("&&")));
        entry->setToolTip(QDir::toNativeSeparators(file.absolutePath()));
        entry->setEnabled(file.exists());
        connect(entry, &QAction::triggered, this, [this, path] { openCatalogue(path); });
    }
    menuRecent->addSeparator();
    QAction *clear = menuRecent->addAction(tr("Clear list"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [] { RecentFiles().clear(); });
}

void MainWindow::buildEditMenu()
{
    QMenu *menuEdit = ui->menubar->addMenu(tr("&Edit"));
    menuEdit->setObjectName(QStringLiteral("menuEdit"));
    actionUndo = createHistoryAction("actionUndo", QKeySequence::Undo, &QUndoStack::undo);
    actionRedo = createHistoryAction("actionRedo", QKeySequence::Redo, &QUndoStack::redo);
    // Desktops differ in their Redo key: both usual ones work everywhere, beside the desktop's own.
    QList<QKeySequence> redoKeys { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) };
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(key))
            redoKeys << key;
    actionRedo->setShortcuts(redoKeys);
    menuEdit->addAction(actionUndo);
    menuEdit->addAction(actionRedo);
    nameHistorySteps();
}

// Exports and imports; the Catalogue menu follows View where there is one, else Edit.
void MainWindow::buildCatalogueMenu()
{
    exchange = new CatalogueExchange(
            this, document,
            [this](const QString &path, const std::function<FileResult()> &write) { return saveWith(path, write); },
            [this](const QString &what, const FileResult &result) { reportFailure(what, result); },
            [this]() -> std::optional<std::vector<ExportedVariant>> {
                const QString query = ui->lineEditFilter->text();
                if (query.trimmed().isEmpty())
                    return std::nullopt;
                if (!search)
                    search = std::make_unique<CatalogueSearch>(document.catalogue());
                return inIdentifierOrder(search->find(query));
            });
    const QList<QAction *> menus = ui->menubar->actions();
    const QMenu *view = findChild<QMenu *>(QStringLiteral("menuView"));
    const qsizetype after = view ? menus.indexOf(view->menuAction()) : menus.size() - 1;
    ui->menubar->insertMenu(menus.value(after + 1), exchange->menu());
}

QAction *MainWindow::createHistoryAction(const char *name, QKeySequence::StandardKey key,
                                         void (QUndoStack::*move)())
{
    auto *action = new QAction(this);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcuts(key);
    // Undo and Redo apply over the editors too, which are windows of their own.
    action->setShortcutContext(Qt::ApplicationShortcut);
    const bool undoing = move == &QUndoStack::undo;
    connect(action, &QAction::triggered, this, [this, move, undoing] {
        QUndoStack &history = document.history();
        const QString step = undoing ? history.undoText() : history.redoText();
        (history.*move)();
        statusBar()->showMessage((undoing ? tr("Undone: %1") : tr("Redone: %1")).arg(step), statusTimeoutMs);
    });
    return action;
}

void MainWindow::buildViewMenu()
{
    QMenu *menuView = ui->menubar->addMenu(tr("&View"));
    menuView->setObjectName(QStringLiteral("menuView"));
    QAction *actionPriceList = createAction(tr("&Price and stock list"), "Ctrl+L", &MainWindow::showPriceList);
    actionPriceList->setObjectName(QStringLiteral("actionPriceList"));
    menuView->addAction(actionPriceList);
}

void MainWindow::buildHelpMenu()
{
    QMenu *menuHelp = ui->menubar->addMenu(tr("&Help"));
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    QAction *actionUserGuide = createAction(tr("User guide"), "F1", &MainWindow::showUserGuide);
    actionUserGuide->setObjectName(QStringLiteral("actionUserGuide"));
    QAction *actionAbout = createAction(tr("About Kälviö"), "", &MainWindow::showAbout);
    actionAbout->setObjectName(QStringLiteral("actionAbout"));
    menuHelp->addAction(actionUserGuide);
    menuHelp->addSeparator();
    menuHelp->addAction(actionAbout);
    menuHelp->addAction(tr("About Qt"), qApp, &QApplication::aboutQt);
}

// One guide at a time, beside the catalogue: asked for again, it comes to the front.
void MainWindow::showUserGuide()
{
    if (!userGuide) {
        userGuide = new UserGuide(PriceListModel::interfaceLocale());
        userGuide->setAttribute(Qt::WA_DeleteOnClose);
    }
    userGuide->show();
    userGuide->raise();
    userGuide->activateWindow();
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("About Kälviö"),
                       tr("<h3>Kälviö %1</h3>"
                          "<p>Keeps a furniture shop's catalogue of categories, elements and variants.</p>"
                          "<p>© 2026 Kälviö developers. All rights reserved: Kälviö may not be copied "
                          "or distributed without their permission.</p>"
                          "<p>Built with Qt %2 (running Qt %3), libxlsxwriter %4 and minizip %5.</p>")
                               .arg(QApplication::applicationVersion(), QStringLiteral(QT_VERSION_STR),
                                    QString::fromLatin1(qVersion()), LibraryVersions::xlsxwriter(),
                                    LibraryVersions::minizip()));
}

// One list at a time, a window of its own: asked for again, it comes to the front.
void MainWindow::showPriceList()
{
    if (!priceList) {
        priceList = new PriceList(document);
        priceList->setAttribute(Qt::WA_DeleteOnClose);
        connect(priceList, &PriceList::variantActivated, this, &MainWindow::openVariant);
        PriceList *list = priceList;
        list->setExportMenu(exchange->exportMenu([list] { return list->shownVariants(); }, list));
        connect(list, &PriceList::labelsRequested, exchange,
                [this, list](const std::vector<ExportedVariant> &variants) { exchange->printLabels(variants, list); });
    }
    priceList->show();
    priceList->raise();
    priceList->activateWindow();
}

// "Undo Delete 001.002.003", "Redo Change 001.001.002"; "Undo", disabled, with nothing to undo.
void MainWindow::nameHistorySteps()
{
    const QUndoStack &history = document.history();
    actionUndo->setText(tr("Undo %1").arg(history.undoText()).trimmed());
    actionUndo->setEnabled(history.canUndo());
    actionRedo->setText(tr("Redo %1").arg(history.redoText()).trimmed());
    actionRedo->setEnabled(history.canRedo());
}

// The tree shows categories, names and identifiers, and binds its rows to their records:
// it is made again where those may have changed. Any change may change what the filter
// finds, and the whole filtered tree with it.
void MainWindow::catalogueChanged(const CatalogueChange &change)
{
    nameHistorySteps();
    search.reset();
    if (change.scope == CatalogueChange::Everything || !ui->lineEditFilter->text().trimmed().isEmpty())
        showTree();
    else if (change.scope == CatalogueChange::Variants)
        model->showVariantsOf(change.elements);
    showDetails();
}

// The catalogue may have changed: the filter's search is made again when next needed.
void MainWindow::updateTreeView()
{
    search.reset();
    showTree();
}

void MainWindow::setupFilter()
{
    ui->actionFind->setShortcuts(QKeySequence::Find);
    addAction(ui->actionFind);
    connect(ui->actionFind, &QAction::triggered, this, &MainWindow::focusFilter);
    connect(ui->lineEditFilter, &QLineEdit::textChanged, this, &MainWindow::filterEdited);
    ui->lineEditFilter->installEventFilter(this);
    ui->treeView->installEventFilter(this);
    // A code scanned while the tree has the keys goes to the filter.
    new ScanTyping(ui->treeView, [this](const QString &code) {
        ui->lineEditFilter->setText(code);
        findScanned();
    });
    filterPause.setSingleShot(true);
    filterPause.setInterval(filterPauseMs);
    connect(&filterPause, &QTimer::timeout, this, &MainWindow::showTree);
    labelShown = new QLabel(this);
    labelShown->setObjectName(QStringLiteral("labelShown"));
    statusBar()->addPermanentWidget(labelShown);
}

void MainWindow::focusFilter()
{
    ui->lineEditFilter->setFocus(Qt::ShortcutFocusReason);
    ui->lineEditFilter->selectAll();
}

void MainWindow::filterEdited()
{
    if (lastFilterMs < instantFilterMs)
        showTree();
    else
        filterPause.start();
}

// Shows the variants the filter finds, unfolded, or without a filter the whole catalogue,
// folded.
void MainWindow::showTree()
{
    QElapsedTimer took;
    took.start();
    filterPause.stop();
    const QString query = ui->lineEditFilter->text();
    const bool filtering = !query.trimmed().isEmpty();
    if (filtering && !search)
        search = std::make_unique<CatalogueSearch>(document.catalogue());
    auto *newModel = new CatalogueTreeModel(filtering ? search->find(query) : wholeCatalogue(document.catalogue()), this);
    if (!filtering && document.catalogue().getFurnitures().empty())
        newModel->appendRow(new QStandardItem(QObject::tr("No category")));
    ui->treeView->setModel(newModel);
    delete model;
    model = newModel;
    connect(ui->treeView->selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::showDetails);
    showDetails();
    if (filtering) {
        ui->treeView->expandAll();
        showFilterCount(model->variantCount());
    } else {
        labelShown->clear();
    }
    lastFilterMs = took.elapsed();
}

// Read from the tree's rows, which name only records the catalogue holds while they are shown.
void MainWindow::showDetails()
{
    const QModelIndex current = ui->treeView->currentIndex();
    const Furniture *category = current.isValid() && !current.parent().isValid()
            ? model->elementAt(model->index(0, 0, current))
            : nullptr;
    if (const CatalogueTreeModel::Variant variant = model->variantAt(current); variant.element)
        ui->widgetDetails->showVariant(*variant.element, variant.place);
    else if (const Furniture *element = model->elementAt(current))
        ui->widgetDetails->showElement(*element);
    else if (category)
        ui->widgetDetails->showCategory(category->getCategory(),
                                        StockTotals::ofCategory(document.catalogue(), category->getCategory()));
    else
        ui->widgetDetails->showCatalogue(StockTotals::of(document.catalogue()));
}

void MainWindow::showFilterCount(std::size_t shown)
{
    if (shown == 0)
        labelShown->setText(tr("No variant matches the filter"));
    else
        labelShown->setText(tr("%1 of %n variant(s) shown", nullptr, int(search->variantCount())).arg(shown));
}

// Escape empties the filter, Down goes to the first variant shown; Return or Enter on a
// tree row does what a double-click does.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (watched == ui->lineEditFilter && key == Qt::Key_Escape && !ui->lineEditFilter->text().isEmpty()) {
        ui->lineEditFilter->clear();
        return true;
    }
    if (watched == ui->lineEditFilter && key == Qt::Key_Down) {
        goToFirstVariant();
        return true;
    }
    if (watched == ui->lineEditFilter && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        findScanned();
        return true;
    }
    if (watched == ui->treeView && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        activateRow(ui->treeView->currentIndex());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::goToFirstVariant()
{
    if (filterPause.isActive())
        showTree();
    const QModelIndex first = model->firstVariant();
    if (!first.isValid())
        return;
    ui->treeView->setFocus(Qt::OtherFocusReason);
    ui->treeView->setCurrentIndex(first);
    ui->treeView->scrollTo(first);
}

// Return in the filter, as a scanner ends a code: the one variant of that identifier opens in
// an editor, several are shown selected; where nothing is found, that is said, and the code is
// left selected so that the next scan replaces it.
void MainWindow::findScanned()
{
    const QString code = ui->lineEditFilter->text().trimmed();
    if (code.isEmpty())
        return;
    if (filterPause.isActive())
        showTree();
    QModelIndexList found = model->variantsWithId(code.toStdString());
    // Words rather than an identifier: the one variant they find opens, or the first of several.
    if (found.isEmpty() && model->variantCount() == 1)
        found << model->firstVariant();
    if (found.isEmpty() && model->variantCount() > 1)
        return goToFirstVariant();
    if (found.isEmpty()) {
        statusBar()->showMessage(tr("No variant %1").arg(code), statusTimeoutMs);
        focusFilter();
        return;
    }
    ui->treeView->setFocus(Qt::OtherFocusReason);
    ui->treeView->setCurrentIndex(found.front());
    ui->treeView->scrollTo(found.front());
    if (found.size() == 1) {
        on_treeView_doubleClicked(found.front());
        return;
    }
    QItemSelection selection;
    for (const QModelIndex &row : found)
        selection.select(row, row);
    ui->treeView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MainWindow::activateRow(const QModelIndex &index)
{
    if (model->hasChildren(index))
        ui->treeView->setExpanded(index, !ui->treeView->isExpanded(index));
    on_treeView_doubleClicked(index);
}

void MainWindow::receiveDataFromEdit()
{
    updateTreeView();
}

void MainWindow::openEditor(Edit *editor)
{
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &Edit::furnitureAdded, this, [this](const QString &id) {
        statusBar()->showMessage(tr("Added %1").arg(id), statusTimeoutMs);
    });
    connect(editor, &Edit::furnitureDeleted, this, [this](const QString &id) {
        statusBar()->showMessage(tr("Deleted %1").arg(id), statusTimeoutMs);
    });
    editors.removeAll(nullptr);
    editors.append(editor);
    editor->show();
}

// Opens the variant of the very row clicked, even where other rows show the same
// identifier, and under a filter. Only a variant row whose text holds a "." opens an editor.
void MainWindow::on_treeView_doubleClicked(const QModelIndex &index)
{
    const QStandardItem *selectedItem = model->itemFromIndex(index);
    if (!selectedItem || !selectedItem->text().contains(u'.'))
        return;
    const CatalogueTreeModel::Variant variant = model->variantAt(index);
    if (variant.element)
        openVariant(variant.element, variant.place);
}

// An editor over this window on exactly the variant at `variant` of `element`.
void MainWindow::openVariant(Furniture *element, std::size_t variant)
{
    openEditor(new Edit(this, element, variant));
    raise();
    activateWindow();
}

void MainWindow::on_actionNewFurniture_triggered()
{
    auto *editor = new Edit(nullptr);
    openEditor(editor);
    placeOverWindow(editor);
}

// Centres `editor` over the main window, moved as little as it takes to be whole on the
// screen, frame included: it is placed once shown, when its frame is known.
void MainWindow::placeOverWindow(QWidget *editor) const
{
    const QRect screen = this->screen()->availableGeometry();
    QRect placed(QPoint(), editor->frameGeometry().size());
    placed.moveCenter(frameGeometry().center());
    placed.moveRight(std::min(placed.right(), screen.right()));
    placed.moveBottom(std::min(placed.bottom(), screen.bottom()));
    placed.moveLeft(std::max(placed.left(), screen.left()));
    placed.moveTop(std::max(placed.top(), screen.top()));
    editor->move(placed.topLeft());
}

// "shop* - Kälviö" while the catalogue holds changes that shop.json holds not.
void MainWindow::updateWindowTitle()
{
    QString marker = document.isModified() ? QStringLiteral("*") : QString();
    if (document.isReadOnly())
        marker = tr("%1 (read-only)").arg(marker);
    if (document.jsonPath().isEmpty())
        setWindowTitle(appTitle + marker);
    else
        setWindowTitle(QFileInfo(document.jsonPath()).fileName().section(u'.', 0, 0) + marker
                       + QStringLiteral(" - ") + appTitle);
}

// Asks what to do with a modified catalogue before it is dropped; true to go on.
bool MainWindow::settleUnsavedChanges()
{
    if (!document.isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this, tr("Unsaved changes"), tr("The catalogue has changes that are not saved. Save them?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return saveCatalogue();
    return answer == QMessageBox::Discard;
}

// Ends the program, as Leave does. Open editors are asked first about their unsaved edits
// (saving them changes the catalogue), then the catalogue is asked about; only then do
// they close, so that Cancel anywhere leaves every window as it was.
void MainWindow::closeEvent(QCloseEvent *event)
{
    const auto settled = [](const QPointer<Edit> &editor) { return !editor || editor->settleUnsavedEdits(); };
    if (!leavingWithoutAsking && (!std::all_of(editors.cbegin(), editors.cend(), settled) || !settleUnsavedChanges())) {
        event->ignore();
        return;
    }
    for (const QPointer<Edit> &editor : std::as_const(editors)) {
        if (editor && leavingWithoutAsking)
            editor->hide();
        else if (editor)
            editor->close();
    }
    if (priceList)
        priceList->close();
    if (userGuide)
        userGuide->close();
    inUse.release();
    if (!leavingWithoutAsking)
        recovery.discard();
    event->accept();
}

void MainWindow::on_actionNew_triggered()
{
    if (!settleUnsavedChanges())
        return;
    document.clear();
    adoptFile({}, false);
}

void MainWindow::on_actionOpen_triggered()
{
    const QString filename =
            QFileDialog::getOpenFileName(this, tr("Open file"), ChooserFolder::start(), fileFilter);
    if (filename.isEmpty())
        return;
    ChooserFolder::remember(filename);
    openCatalogue(filename);
}

// Open adds the file's furniture to what is shown; a catalogue that was not empty then
// holds more than the file, so it counts as modified. The file is kept by the name the
// kernel reached, so that Save, merges and side files act on the very file read, even
// where the chosen path took ".." after a link.
void MainWindow::openCatalogue(const QString &chosen)
{
    const QString filename = DiskFile::reachedPath(chosen);
    const InUseAnswer inUseAnswer = askIfInUse(filename);
    if (inUseAnswer == InUseAnswer::Cancel)
        return;
    const std::optional<RecoveryCopy::Left> recovered = recoveryToOpen(filename);
    QString source = recovered ? recovered->copy : fileOrInterruptedSaveBackup(filename);
    // A signal that ends the program turns down the question it finds open; the program
    // then ends without opening anything.
    if (leavingWithoutAsking)
        return;
    // The photos folder follows the catalogue before the tree is shown again.
    const QString photosBefore = PhotoFolders::catalogueFolder();
    PhotoFolders::setCatalogueFolder(QFileInfo(filename).absolutePath());
    OpenOutcome opened = document.open(filename, source);
    if (!opened.result.ok()) {
        // A file torn by an interrupted save may have its backup to open instead.
        source = backupAfterFailure(filename, source, opened.result);
        if (!source.isEmpty() && !(opened = document.open(filename, source)).result.ok())
            reportFailure(tr("Could not open %1.").arg(QDir::toNativeSeparators(source)), opened.result);
        if (!opened.result.ok()) {
            PhotoFolders::setCatalogueFolder(photosBefore);
            return;
        }
    }
    if (leavingWithoutAsking)
        return;
    adoptFile(filename, inUseAnswer == InUseAnswer::OpenReadOnly);
    if (recovered) {
        RecoveryCopy::adopt(*recovered);
        recovery.adopted();
    }
    RecentFiles().add(filename);
    statusBar()->showMessage(tr("Opened %1 (categories: %2, elements: %3, variants: %4)")
                                     .arg(QFileInfo(filename).fileName())
                                     .arg(opened.added.categories)
                                     .arg(opened.added.elements)
                                     .arg(opened.added.variants),
                             statusTimeoutMs);
    warnOfUnkeptValues(source, opened.unkept);
}

// Every other copy that has the file open is named, with who, where and since when, and
// the user chooses how to open it. Notices that ended programs left are told apart.
MainWindow::InUseAnswer MainWindow::askIfInUse(const QString &filename)
{
    const InUseHolders holders = InUseHolders::of(InUseNotice::holders(filename), QDateTime::currentDateTimeUtc());
    if (holders.live.isEmpty())
        return InUseAnswer::Open;
    const auto line = [](const InUseHolder &holder) {
        return tr("%1 on %2 since %3")
                .arg(holder.user, holder.host, holder.since.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    };
    QStringList lines { tr("%1 is open elsewhere:").arg(QFileInfo(filename).fileName()) };
    for (const InUseHolder &holder : holders.live)
        lines << QStringLiteral("- ") + line(holder);
    for (const InUseHolder &holder : holders.left)
        lines << QStringLiteral("- ") + tr("%1, left by a program that ended").arg(line(holder));
    switch (askBetween(this, QMessageBox::Question, tr("Catalogue in use"), lines.join(u'\n'), tr("Open read-only"),
                       tr("Open anyway"))) {
    case Answer::Default:
        return InUseAnswer::OpenReadOnly;
    case Answer::Other:
        return InUseAnswer::Open;
    case Answer::Cancel:
        break;
    }
    return InUseAnswer::Cancel;
}

// The file is now the current one, or there is none: the notice follows it, except in
// read-only mode, where Save is off. The notices that this user's ended programs left
// beside it go.
void MainWindow::adoptFile(const QString &filename, bool readOnlyMode)
{
    document.setReadOnly(readOnlyMode);
    if (filename.isEmpty() || readOnlyMode)
        inUse.release();
    else
        inUse.take(filename);
    if (!filename.isEmpty()) {
        const InUseHolders holders = InUseHolders::of(InUseNotice::holders(filename), QDateTime::currentDateTimeUtc());
        for (const InUseHolder &left : holders.leftByThisUser())
            InUseNotice::remove(left);
    }
    actionSave->setEnabled(!readOnlyMode);
    updateWindowTitle();
}

// Back at the front, the window offers to read anew a current file that someone else
// changed, as long as the catalogue holds nothing unsaved.
void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        offerReload();
    QMainWindow::changeEvent(event);
}

void MainWindow::offerReload()
{
    buttonReload->setVisible(!document.jsonPath().isEmpty() && !document.isModified()
                             && document.catalogue().changedOnDisk(document.jsonPath()));
    offerConflictCopy();
}

// A copy that a sync service wrote beside the current file holds another computer's
// changes, which nobody would notice otherwise: the newest is offered for a merge.
void MainWindow::offerConflictCopy()
{
    QStringList copies = document.jsonPath().isEmpty() || document.isReadOnly()
            ? QStringList()
            : SyncConflicts::beside(document.jsonPath());
    // The copy merged waits for the save, which offers to put it in the trash.
    copies.removeAll(mergedCopy);
    conflictCopy = copies.value(0);
    buttonMergeCopy->setText(tr("A sync service left another version of this catalogue, %1: merge it")
                                     .arg(QFileInfo(conflictCopy).fileName()));
    buttonMergeCopy->setVisible(!conflictCopy.isEmpty());
}

// The copy is merged into the catalogue as one step of the history, against the version
// of the file that both computers last had (SyncBase); Save then writes the result into
// the file.
void MainWindow::mergeConflictCopy()
{
    const QString copy = conflictCopy, name = QFileInfo(copy).fileName();
    const std::unique_ptr<FileMerge> merge = document.mergeWith(copy);
    if (!merge->read.ok()) {
        reportFailure(tr("Could not merge with %1.").arg(QDir::toNativeSeparators(copy)), merge->read,
                      tr("The catalogue is unchanged."));
        return;
    }
    warnOfUnkeptValues(copy, merge->unkept);
    std::vector<MergeConflict> &conflicts = merge->merge->conflicts();
    if (!conflicts.empty() && MergeConflictsDialog(conflicts, this).exec() != QDialog::Accepted)
        return;
    MergedCatalogue merged = merge->merge->result();
    document.replaceWithMerge(std::move(merged.elements), tr("Merge with %1").arg(name));
    mergedCopy = copy;
    buttonMergeCopy->hide();
    statusBar()->showMessage(tr("Merged %1 (changes taken: %2)").arg(name).arg(merge->merge->takenFromTheirs()),
                             statusTimeoutMs);
}

// Once the catalogue that holds a merged conflict copy is saved, the copy may go to the
// trash, where it can still be taken back; it is never deleted outright.
void MainWindow::offerTrashOfMergedCopy()
{
    const QString copy = std::exchange(mergedCopy, QString());
    if (!copy.isEmpty() && QFileInfo::exists(copy)
        && QMessageBox::question(this, tr("Merged copy"),
                                 tr("The changes of %1 are now saved in the catalogue. Move it to the trash?")
                                         .arg(QDir::toNativeSeparators(copy)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
                == QMessageBox::Yes
        && !QFile::moveToTrash(copy))
        QMessageBox::warning(this, tr("Error"),
                             tr("%1 could not be moved to the trash; it is left where it is.").arg(QDir::toNativeSeparators(copy)));
    offerConflictCopy();
}

void MainWindow::reloadCatalogue()
{
    buttonReload->hide();
    const QString filename = document.jsonPath();
    const OpenOutcome reloaded = document.reload();
    if (!reloaded.result.ok()) {
        reportFailure(tr("Could not reload %1.").arg(QDir::toNativeSeparators(filename)), reloaded.result);
        return;
    }
    statusBar()->showMessage(tr("Reloaded %1").arg(QFileInfo(filename).fileName()), statusTimeoutMs);
    warnOfUnkeptValues(filename, reloaded.unkept);
}

// A file written by another program, or by hand, may hold values the catalogue cannot
// keep as they stand: the user hears of them before a Save writes them otherwise.
void MainWindow::warnOfUnkeptValues(const QString &filename, const UnkeptValues &unkept)
{
    if (!unkept.isEmpty())
        QMessageBox::warning(this, tr("Warning"), unkeptValuesText(filename, unkept));
}

// A merge writes the file at once: what it holds that the merged catalogue would write
// otherwise is told first, and the user may leave the file and the catalogue as they are.
bool MainWindow::mergeDespiteUnkeptValues(const QString &filename, const UnkeptValues &unkept)
{
    if (unkept.isEmpty())
        return true;
    QMessageBox question(QMessageBox::Warning, tr("Merge"),
                         unkeptValuesText(filename, unkept) + QStringLiteral("\n\n")
                                 + tr("The merge saves them as listed. Merge all the same?"),
                         QMessageBox::Cancel, this);
    const QPushButton *merge = question.addButton(tr("Merge"), QMessageBox::AcceptRole);
    question.setDefaultButton(QMessageBox::Cancel);
    question.exec();
    return question.clickedButton() == merge;
}

// Each kind of value with its count and first examples, a line each.
QString MainWindow::unkeptValuesText(const QString &filename, const UnkeptValues &unkept)
{
    const QString kinds[UnkeptValues::KindCount] = {
        tr("Prices written as text: %1 (%2), saved as 0"),
        tr("Stocks written as text: %1 (%2), saved as 0"),
        tr("Stocks outside -2147483648 to 2147483647: %1 (%2), saved as 0"),
        tr("Stocks with a fraction: %1 (%2), saved as 0"),
        tr("Prices with more digits than a price holds: %1 (%2), saved rounded"),
        tr("Stocks with more digits than a stock holds: %1 (%2), saved rounded"),
        tr("Measures written as numbers: %1 (%2), saved as empty texts"),
        tr("Texts with half a surrogate pair: %1 (%2), saved with \"?\" in its place"),
        tr("Other values of an unexpected type: %1 (%2), saved as empty texts or lists, or as 0"),
        tr("Unknown keys: %1 (%2), not saved"),
        tr("Categories without elements: %1 (%2), not saved"),
        tr("Entries that are not objects: %1 (%2), dropped or saved empty"),
        tr("Duplicate keys: %1 (%2), only the last value of each is kept"),
        tr("Missing members: %1 (%2), saved as empty texts or lists, or as 0"),
        tr("Texts starting with a byte-order mark (U+FEFF): %1 (%2), saved without it"),
        tr("Texts with an escape that JSON does not have: %1 (%2), saved without its backslash"),
        tr("Numbers in a form that JSON does not allow: %1 (%2), saved in the form JSON gives them"),
        tr("Texts with control characters written as such: %1 (%2), saved with them escaped"),
    };
    QStringList lines { tr("%1 holds values that this catalogue cannot keep as they stand:")
                                .arg(QDir::toNativeSeparators(filename)) };
    for (int kind = 0; kind < UnkeptValues::KindCount; ++kind) {
        const UnkeptValues::Finding &finding = unkept[UnkeptValues::Kind(kind)];
        if (finding.count > 0)
            lines << QStringLiteral("- ")
                            + kinds[kind].arg(finding.count).arg(finding.examples.join(QStringLiteral(", ")));
    }
    return lines.join(u'\n');
}

// Unsaved changes of the file that a copy of this program which ended left in its recovery
// copy are offered; the user may open them as the file's catalogue, the file as it is, or
// drop them. Returns the copy to open, or nothing.
std::optional<RecoveryCopy::Left> MainWindow::recoveryToOpen(const QString &filename)
{
    const std::optional<RecoveryCopy::Left> left = RecoveryCopy::left(filename);
    if (!left)
        return std::nullopt;
    const QLocale locale = PriceListModel::interfaceLocale();
    const QString time = left->written.date() == QDate::currentDate()
            ? locale.toString(left->written.time(), QLocale::ShortFormat)
            : locale.toString(left->written, QLocale::ShortFormat);
    QMessageBox question(QMessageBox::Question, tr("Unsaved changes found"),
                         tr("Recover the unsaved changes of %1 from %2?").arg(QFileInfo(filename).fileName(), time),
                         QMessageBox::NoButton, this);
    QPushButton *recover = question.addButton(tr("Recover"), QMessageBox::AcceptRole);
    QPushButton *asSaved = question.addButton(tr("Open the file as saved"), QMessageBox::RejectRole);
    const QPushButton *discard = question.addButton(tr("Discard the recovery"), QMessageBox::DestructiveRole);
    question.setDefaultButton(recover);
    question.setEscapeButton(asSaved);
    question.exec();
    if (question.clickedButton() == recover)
        return left;
    if (question.clickedButton() == discard)
        RecoveryCopy::discard(*left);
    return std::nullopt;
}

// At start, the catalogue of the newest recovery copy that an ended copy of this program
// left is offered, as Open offers it.
void MainWindow::offerLeftRecovery()
{
    if (const QStringList files = RecoveryCopy::leftFiles(); !files.isEmpty())
        openCatalogue(files.first());
}

// A logout, a shutdown or an interrupt: the program ends as Leave ends it, without asking,
// the unsaved changes kept in the recovery copy for the next start.
void MainWindow::leaveWithoutAsking()
{
    recovery.keepNow();
    inUse.release();
    leavingWithoutAsking = true;
    close();
}

// Where a save of the file was killed halfway, its backup holds the previous catalogue
// whole: the user chooses which of the two to open. The backup is left where it is.
QString MainWindow::fileOrInterruptedSaveBackup(const QString &filename)
{
    const DiskFile::InterruptedWrite interrupted = DiskFile::interruptedWrite(filename, SetOfFurnitures::maxFileSize, &SetOfFurnitures::opens);
    if (interrupted.backup.isEmpty())
        return filename;
    const auto shown = [](const QDateTime &time) { return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); };
    QMessageBox question(QMessageBox::Warning, tr("Interrupted save"),
                         tr("A save of %1 was interrupted, and the file (last changed %3) may be incomplete. "
                            "Its previous contents are kept in %2 (written %4). Open them instead? Save then "
                            "writes them into %1.")
                                         .arg(QDir::toNativeSeparators(filename),
                                              QDir::toNativeSeparators(interrupted.backup),
                                              shown(interrupted.fileTime), shown(interrupted.backupTime))
                                 + olderBackups(interrupted.older),
                         QMessageBox::Open | QMessageBox::Ignore, this);
    question.button(QMessageBox::Open)->setText(tr("Open the backup"));
    question.setDefaultButton(QMessageBox::Ignore);
    return question.exec() == QMessageBox::Open ? interrupted.backup : filename;
}

QString MainWindow::olderBackups(const QStringList &older)
{
    QStringList shown;
    for (const QString &backup : older)
        shown << QDir::toNativeSeparators(backup);
    return older.isEmpty() ? QString()
                           : u' ' + tr("%n older backup(s) of it are kept too: %1.", nullptr, int(older.size()))
                                            .arg(shown.join(QStringLiteral(", ")));
}

// A file that cannot be opened, of which an interrupted save left a backup, is reported
// in a box that offers the backup. Returns the backup to open, or nothing.
QString MainWindow::backupAfterFailure(const QString &filename, const QString &source, const FileResult &result)
{
    const QString what = tr("Could not open %1.").arg(QDir::toNativeSeparators(filename));
    const DiskFile::InterruptedWrite interrupted = source == filename
            ? DiskFile::interruptedWrite(filename, SetOfFurnitures::maxFileSize, &SetOfFurnitures::opens)
            : DiskFile::InterruptedWrite();
    if (interrupted.backup.isEmpty()) {
        reportFailure(what, result);
        return {};
    }
    QMessageBox question(QMessageBox::Warning, tr("Error"),
                         QStringList({ what, failureReason(result),
                                       tr("Its contents from before an interrupted save are kept in %1. Open them "
                                          "instead? Save then writes them into %2.")
                                               .arg(QDir::toNativeSeparators(interrupted.backup),
                                                    QDir::toNativeSeparators(filename)) })
                                         .join(u' ')
                                 + olderBackups(interrupted.older),
                         QMessageBox::Open | QMessageBox::Cancel, this);
    question.button(QMessageBox::Open)->setText(tr("Open the backup"));
    question.setDefaultButton(QMessageBox::Cancel);
    return question.exec() == QMessageBox::Open ? interrupted.backup : QString();
}

QString MainWindow::askSavePath(const QString &caption)
{
    QFileDialog chooser(this, caption, ChooserFolder::start(), fileFilter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix gets ".json", so the file shows in Open's filter.
    chooser.setDefaultSuffix(QStringLiteral("json"));
    if (chooser.exec() != QDialog::Accepted)
        return {};
    const QString path = chooser.selectedFiles().value(0);
    ChooserFolder::remember(path);
    return path;
}

// Save: to the current file, or to one asked for. True when the catalogue was written.
bool MainWindow::saveCatalogue()
{
    if (!document.jsonPath().isEmpty() && !document.isReadOnly())
        return rememberIfSaved(document.jsonPath(), saveWith(document.jsonPath(), [this] {
                                   return document.save(CatalogueDocument::IfLocked::GiveUp);
                               }));
    const QString path = askSavePath(tr("Save file"));
    return !path.isEmpty() && rememberIfSaved(path, writeCatalogue(path));
}

// A file saved joins the recent ones by the name the kernel reached, as an opened one does.
bool MainWindow::rememberIfSaved(const QString &path, bool saved)
{
    if (saved)
        RecentFiles().add(DiskFile::reachedPath(path));
    return saved;
}

// Someone else changed the file since it was read or written here: their changes and ours
// are merged, or the file is overwritten with ours. True when the file was written.
bool MainWindow::settleChangedFile(const QString &path)
{
    const QString text = tr("%1 was changed by another program since it was opened or saved. "
                            "Merge its changes with those of this catalogue, or overwrite it?")
                                 .arg(QDir::toNativeSeparators(path));
    switch (askBetween(this, QMessageBox::Warning, tr("File changed"), text, tr("Merge"), tr("Overwrite"))) {
    case Answer::Default:
        return mergeWithFileOnDisk(path);
    case Answer::Other:
        return writeCatalogue(path);
    case Answer::Cancel:
        break;
    }
    return false;
}

// Merges the file as it is now on disk into the catalogue, has the user decide the
// conflicts, and writes the result as one step of the history; true when it was written.
bool MainWindow::mergeWithFileOnDisk(const QString &path)
{
    const std::unique_ptr<FileMerge> merge = document.mergeWithFile();
    if (!merge->read.ok()) {
        reportFailure(tr("Could not merge with %1.").arg(QDir::toNativeSeparators(path)), merge->read,
                      tr("The file and the catalogue are unchanged."));
        return false;
    }
    if (!mergeDespiteUnkeptValues(path, merge->unkept))
        return false;
    std::vector<MergeConflict> &conflicts = merge->merge->conflicts();
    if (!conflicts.empty() && MergeConflictsDialog(conflicts, this).exec() != QDialog::Accepted)
        return false;
    MergedCatalogue merged = merge->merge->result();
    document.replaceWithMerge(std::move(merged.elements), tr("Merge with the file on disk"));
    if (!saveWith(path, [this, &merge] {
            return document.saveUnlessChangedSince(*merge, CatalogueDocument::IfLocked::GiveUp);
        }))
        return false;
    QStringList told { tr("Merged %n change(s) from the file on disk", nullptr, int(merge->merge->takenFromTheirs())) };
    if (!conflicts.empty())
        told << tr("%n conflict(s) decided", nullptr, int(conflicts.size()));
    for (const auto &[from, to] : merged.renumbered)
        told << tr("%1 was added on both sides: ours is now %2")
                        .arg(QString::fromStdString(from), QString::fromStdString(to));
    statusBar()->showMessage(told.join(QStringLiteral("; ")), statusTimeoutMs);
    return true;
}

bool MainWindow::writeCatalogue(const QString &path)
{
    return saveWith(path, [this, path] { return document.saveAs(path, CatalogueDocument::IfLocked::GiveUp); });
}

// Runs `write` and reports how it ended; true when the file was written. The file layer
// checks, under the file's lock, that no one else changed the file since it was read or
// written here; when someone did, it has let the lock go by the time the user is asked.
bool MainWindow::saveWith(const QString &path, const std::function<FileResult()> &write)
{
    // Only a file that was there has a previous state to speak of.
    const bool existed = QFileInfo::exists(path);
    for (;;) {
        const FileResult result = waitOutLock(write);
        if (result.outcome == FileResult::ChangedOnDisk)
            return settleChangedFile(path);
        if (result.ok()) {
            statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), statusTimeoutMs);
            return true;
        }
        const bool retry = reportFailure(
                tr("Could not save %1.").arg(QDir::toNativeSeparators(path)), result,
                result.outcome == FileResult::RestoreFailed
                        ? tr("Its previous contents could not be put back either: save the catalogue under another name.")
                        : existed ? tr("The previous file is unchanged.") : QString(),
                result.outcome == FileResult::Locked);
        if (!retry)
            return false;
    }
}

// While another program holds the file locked, `write` is tried again for a while, with
// the window still drawn and a busy cursor, but no user input taken meanwhile.
FileResult MainWindow::waitOutLock(const std::function<FileResult()> &write)
{
    FileResult result = write();
    if (result.outcome != FileResult::Locked)
        return result;
    statusBar()->showMessage(tr("Another program is using the file; waiting for it…"));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QElapsedTimer waited;
    waited.start();
    while (result.outcome == FileResult::Locked && waited.elapsed() < lockWaitMs) {
        QEventLoop pause;
        QTimer::singleShot(lockRetryMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
        result = write();
    }
    QApplication::restoreOverrideCursor();
    statusBar()->clearMessage();
    return result;
}

void MainWindow::on_actionSave_triggered()
{
    if (saveCatalogue())
        offerTrashOfMergedCopy();
}

// Save as writes a copy: the current file stays the one Save writes to.
void MainWindow::on_actionSaveAs_triggered()
{
    const QString path = askSavePath(tr("Save file as..."));
    if (!path.isEmpty() && rememberIfSaved(path, writeCatalogue(path)))
        offerPhotoCopies(QFileInfo(DiskFile::reachedPath(path)).absolutePath());
}

// A copy saved where the catalogue's photos are not found would show none of them: their
// copies may go into the Images folder there.
void MainWindow::offerPhotoCopies(const QString &folder)
{
    QStringList names;
    for (const std::string &name : CatalogueOperations::photoNames(document.catalogue()))
        names << QString::fromStdString(name);
    const QStringList missing = PhotoFolders::unreachableFrom(folder, names);
    if (missing.isEmpty())
        return;
    const QString images = QDir(folder).filePath(QStringLiteral("Images/"));
    const QString shownImages = QDir::toNativeSeparators(QDir::cleanPath(images));
    if (QMessageBox::question(this, tr("Copy photos"),
                              tr("%n photo(s) of this catalogue would not be found beside the copy. Copy them into %1?",
                                 nullptr, int(missing.size()))
                                      .arg(shownImages),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;
    for (const QString &name : missing) {
        const bool taken = PhotoFolders::holdsName(images, name);
        if (taken && !confirmPhotoReplace(images, name))
            continue;
        const QString file = PhotoFolders::find(name);
        if (const FileResult result = PhotoFolders::copyInto(images, name, file, taken); !result.ok()) {
            reportFailure(tr("%1 could not be copied into %2.").arg(QDir::toNativeSeparators(file), shownImages), result);
            return;
        }
    }
}

// Another picture of the photo's name is there already: it is replaced only if the user says so.
bool MainWindow::confirmPhotoReplace(const QString &images, const QString &name)
{
    QMessageBox question(QMessageBox::Question, tr("Photo exists"),
                         tr("%1 already holds another file named %2. Replace it with this catalogue's photo?")
                                 .arg(QDir::toNativeSeparators(QDir::cleanPath(images)), name),
                         QMessageBox::NoButton, this);
    const QPushButton *replace = question.addButton(tr("Replace"), QMessageBox::DestructiveRole);
    QPushButton *keep = question.addButton(tr("Keep it"), QMessageBox::RejectRole);
    question.setDefaultButton(keep);
    question.exec();
    return question.clickedButton() == replace;
}

// Tells why `what` failed; true when the user asks to try again, where that is offered.
bool MainWindow::reportFailure(const QString &what, const FileResult &result, const QString &after,
                               bool offerRetry)
{
    if (result.ok())
        return false;
    const QString text = QStringList({ what, failureReason(result), after }).join(u' ').trimmed();
    if (!offerRetry) {
        QMessageBox::warning(this, tr("Error"), text);
        return false;
    }
    return QMessageBox::warning(this, tr("Error"), text, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry)
            == QMessageBox::Retry;
}

QString MainWindow::failureReason(const FileResult &result)
{
    QString reason;
    switch (result.outcome) {
    case FileResult::Done:
        break;
    case FileResult::CannotOpen:
        reason = tr("The file cannot be opened: %1.").arg(result.reason);
        break;
    case FileResult::NotRegularFile:
        reason = tr("It is not a regular file, but a folder, a device or a pipe.");
        break;
    case FileResult::TooLarge:
        reason = tr("The file is larger than %1 MB, too large for a catalogue.")
                         .arg(SetOfFurnitures::maxFileSize >> 20);
        break;
    case FileResult::EmptyFile:
        reason = tr("The file is empty.");
        break;
    case FileResult::NotJson:
        reason = tr("The file is not a catalogue: %1 at line %2, column %3.")
                         .arg(result.reason)
                         .arg(result.line)
                         .arg(result.column);
        break;
    case FileResult::NotCatalogue:
        reason = tr("The file is not a catalogue: it holds no list of categories.");
        break;
    case FileResult::WriteFailed:
    case FileResult::RestoreFailed:
        reason = tr("The disk refused the write: %1.").arg(result.reason);
        break;
    case FileResult::TooMuchContent:
        reason = tr("It holds so many elements or variants, or such long texts, that opening it would take "
                    "more than %1 MB of memory.")
                         .arg(SetOfFurnitures::maxOpeningMemory >> 20);
        break;
    case FileResult::ChangedOnDisk:
        reason = tr("Another program changed the file meanwhile.");
        break;
    case FileResult::Locked:
        reason = tr("Another program kept the file locked for too long.");
        break;
    case FileResult::UntrustedLink:
        reason = tr("Its path goes through a symbolic link that another user made in a folder that others "
                    "may write too; it is not followed, and nothing was written.");
        break;
    case FileResult::LockFileIsLink:
        reason = tr("Its lock file %1 is a symbolic link, which is not followed; nothing was written.")
                         .arg(QDir::toNativeSeparators(result.path));
        break;
    case FileResult::LockFileNotOwn:
        reason = tr("Its lock file %1 belongs to another user or is not a regular file; nothing was written.")
                         .arg(QDir::toNativeSeparators(result.path));
        break;
    case FileResult::NoLockFile:
        reason = tr("The lock file %1 cannot be made beside it: %2. Nothing was written.")
                         .arg(QDir::toNativeSeparators(result.path), result.reason);
        break;
    case FileResult::NoBackupPlace:
        reason = tr("It would be overwritten in place, which needs a backup of its previous contents first, and "
                    "no folder took one (tried: %1).")
                         .arg(result.reason);
        break;
    }
    return reason;
}
