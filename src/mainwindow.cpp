#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "edit.h"
#include "picturefile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>

#include <algorithm>
#include <set>

namespace {

const QString appTitle = QStringLiteral("Kälviö");
const QString logoPath = QStringLiteral("../../Images/logo.png");
const QString directoryPath = QStringLiteral("../../json");
const QString fileFilter = QStringLiteral("Files JSON (*.json)");
// How long the status bar tells what Open or Save did.
const int statusTimeoutMs = 5000;

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    setupFormQuietly();
    setFixedSize(1000, 600);
    setWindowTitle(appTitle);
    showLogo(logoPath);
    buildFileMenu();
    updateTreeView();
}

MainWindow::~MainWindow()
{
    delete ui;
}

namespace {

QtMessageHandler handlerBeforeForm = nullptr;

void withoutByNameWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "qt.core.qmetaobject.connectslotsbyname") != 0)
        handlerBeforeForm(type, context, message);
}

} // namespace

// The form connects the tree's double-click by name. It would also warn, once for each
// File menu slot, that no child of that name exists yet; those slots are connected by
// buildFileMenu(), so the form's connection by name is kept quiet.
void MainWindow::setupFormQuietly()
{
    handlerBeforeForm = qInstallMessageHandler(withoutByNameWarnings);
    ui->setupUi(this);
    qInstallMessageHandler(handlerBeforeForm);
}

void MainWindow::showLogo(const QString &path)
{
    QPixmap logo;
    switch (loadPicture(path, logo)) {
    case PictureStatus::NoName:
        ui->labelImage->setText(tr("No image"));
        break;
    case PictureStatus::UnsupportedFormat:
        ui->labelImage->setText(tr("Unsupported image format"));
        break;
    case PictureStatus::NotFound:
        ui->labelImage->setText(tr("Image not found"));
        break;
    case PictureStatus::Loaded:
        ui->labelImage->setPixmap(logo);
        ui->labelImage->setScaledContents(true);
        break;
    }
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
    QAction *actionSave = createAction(tr("&Save"), "Ctrl+S", &MainWindow::on_actionSave_triggered);
    QAction *actionSaveAs =
            createAction(tr("&Save as"), "Ctrl+Shift+S", &MainWindow::on_actionSaveAs_triggered);
    QAction *actionNew = createAction(tr("&New"), "Ctrl+Shift+N", &MainWindow::on_actionNew_triggered);
    QAction *actionNewFurniture = createAction(tr("&New Furniture"), "Ctrl+N",
                                               &MainWindow::on_actionNewFurniture_triggered);

    menuFichier->addAction(actionNew);
    menuFichier->addAction(actionNewFurniture);
    menuFichier->addSeparator();
    menuFichier->addAction(actionOpen);
    menuFichier->addAction(actionSave);
    menuFichier->addAction(actionSaveAs);
    menuFichier->addSeparator();
    menuFichier->addAction(actionLeave);
}

// Builds the whole tree detached in one pass over the catalogue, grouping elements
// under their category in order of first appearance, and only then shows it.
void MainWindow::updateTreeView()
{
    auto *newModel = new QStandardItemModel(this);
    newModel->setHorizontalHeaderLabels({ QString() });
    elementRows.clear();

    QList<QStandardItem *> categoryRows;
    std::unordered_map<std::string, QStandardItem *> categoryItems;
    for (Furniture *furniture : Edit::sof.getFurnitures()) {
        auto [entry, isNew] = categoryItems.try_emplace(furniture->getCategory(), nullptr);
        if (isNew) {
            entry->second = new QStandardItem(QString::fromStdString(furniture->getCategory()));
            categoryRows.append(entry->second);
        }
        QList<QStandardItem *> variantRows;
        variantRows.reserve(qsizetype(furniture->getForms().size()));
        for (const Form &form : furniture->getForms())
            variantRows.append(new QStandardItem(QString::fromStdString(form.getId())));
        auto *element = new QStandardItem(QString::fromStdString(furniture->getName()));
        element->appendRows(variantRows);
        entry->second->appendRow(element);
        elementRows.emplace(element, furniture);
    }
    if (categoryRows.isEmpty())
        categoryRows.append(new QStandardItem(QObject::tr("No category")));
    newModel->invisibleRootItem()->appendRows(categoryRows);

    ui->treeView->setModel(newModel);
    delete model;
    model = newModel;
}

void MainWindow::receiveDataFromEdit()
{
    updateTreeView();
}

void MainWindow::openEditor(Edit *editor)
{
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &Edit::sendInfoToMainWindow, this, &MainWindow::receiveDataFromEdit);
    connect(editor, &Edit::catalogueChanged, this, &MainWindow::markModified);
    connect(editor, &Edit::furnitureAdded, this, [this](const QString &id) {
        statusBar()->showMessage(tr("Added %1").arg(id), statusTimeoutMs);
    });
    editors.removeAll(nullptr);
    editors.append(editor);
    editor->show();
}

// Opens the variant of the very row clicked, even where other rows show the same
// identifier. Only a variant row whose text holds a "." opens an editor.
void MainWindow::on_treeView_doubleClicked(const QModelIndex &index)
{
    const QStandardItem *selectedItem = model->itemFromIndex(index);
    if (!selectedItem || !selectedItem->text().contains(u'.'))
        return;
    const auto element = elementRows.find(selectedItem->parent());
    if (element == elementRows.end())
        return;
    Furniture *furniture = element->second;
    const auto variant = std::size_t(index.row());
    if (variant < furniture->getForms().size()
        && furniture->getForms()[variant].getId() == selectedItem->text().toStdString())
        openEditor(new Edit(this, furniture, variant));
}

void MainWindow::on_actionNewFurniture_triggered()
{
    openEditor(new Edit(nullptr));
}

void MainWindow::markModified()
{
    setModified(true);
}

void MainWindow::setModified(bool value)
{
    modified = value;
    updateWindowTitle();
}

// "shop* - Kälviö" while the catalogue holds changes that shop.json holds not.
void MainWindow::updateWindowTitle()
{
    const QString marker = modified ? QStringLiteral("*") : QString();
    if (jsonPath.isEmpty())
        setWindowTitle(appTitle + marker);
    else
        setWindowTitle(QFileInfo(jsonPath).fileName().section(u'.', 0, 0) + marker
                       + QStringLiteral(" - ") + appTitle);
}

// Asks what to do with a modified catalogue before it is dropped; true to go on.
bool MainWindow::settleUnsavedChanges()
{
    if (!modified)
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
    if (!std::all_of(editors.cbegin(), editors.cend(), settled) || !settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    for (const QPointer<Edit> &editor : std::as_const(editors)) {
        if (editor)
            editor->close();
    }
    event->accept();
}

void MainWindow::on_actionNew_triggered()
{
    if (!settleUnsavedChanges())
        return;
    Edit::sof.clear();
    jsonPath.clear();
    updateTreeView();
    setModified(false);
}

void MainWindow::on_actionOpen_triggered()
{
    const QString filename =
            QFileDialog::getOpenFileName(this, tr("Open file"), directoryPath, fileFilter);
    if (!filename.isEmpty())
        openCatalogue(filename);
}

// Open adds the file's furniture to what is shown; a catalogue that was not empty then
// holds more than the file, so it counts as modified.
void MainWindow::openCatalogue(const QString &filename)
{
    const std::size_t present = Edit::sof.getFurnitures().size();
    const QString source = fileOrInterruptedSaveBackup(filename);
    const FileResult result = Edit::sof.load(source);
    if (!result.ok())
        return reportFailure(tr("Could not open %1.").arg(QDir::toNativeSeparators(filename)), result);

    const std::vector<Furniture *> furnitures = Edit::sof.getFurnitures();
    std::set<std::string> categories;
    std::size_t variants = 0;
    for (auto furniture = furnitures.begin() + std::ptrdiff_t(present); furniture != furnitures.end(); ++furniture) {
        categories.insert((*furniture)->getCategory());
        variants += (*furniture)->getForms().size();
    }
    statusBar()->showMessage(tr("Opened %1 (categories: %2, elements: %3, variants: %4)")
                                     .arg(QFileInfo(filename).fileName())
                                     .arg(categories.size())
                                     .arg(furnitures.size() - present)
                                     .arg(variants),
                             statusTimeoutMs);
    jsonPath = filename;
    updateTreeView();
    setModified(present > 0 || source != filename);
}

// Where a save of the file was killed halfway, its backup holds the previous catalogue
// whole: the user chooses which of the two to open. The backup is left where it is.
QString MainWindow::fileOrInterruptedSaveBackup(const QString &filename)
{
    const QString backup = DiskFile::interruptedWriteBackup(filename, SetOfFurnitures::maxFileSize);
    if (backup.isEmpty())
        return filename;
    QMessageBox question(QMessageBox::Warning, tr("Interrupted save"),
                         tr("A save of %1 was interrupted, and the file may be incomplete. Its previous "
                            "contents are kept in %2. Open them instead? Save then writes them into %1.")
                                 .arg(QDir::toNativeSeparators(filename), QDir::toNativeSeparators(backup)),
                         QMessageBox::Open | QMessageBox::Ignore, this);
    question.button(QMessageBox::Open)->setText(tr("Open the backup"));
    question.setDefaultButton(QMessageBox::Ignore);
    return question.exec() == QMessageBox::Open ? backup : filename;
}

QString MainWindow::askSavePath(const QString &caption)
{
    QFileDialog chooser(this, caption, directoryPath, fileFilter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix gets ".json", so the file shows in Open's filter.
    chooser.setDefaultSuffix(QStringLiteral("json"));
    return chooser.exec() == QDialog::Accepted ? chooser.selectedFiles().value(0) : QString();
}

// Save: to the current file, or to one asked for. True when the catalogue was written.
bool MainWindow::saveCatalogue()
{
    if (jsonPath.isEmpty()) {
        const QString path = askSavePath(tr("Save file"));
        if (path.isEmpty() || !writeCatalogue(path))
            return false;
    } else if (!saveToCurrentFile()) {
        return false;
    }
    setModified(false);
    return true;
}

bool MainWindow::confirmOverwrite()
{
    QMessageBox question(QMessageBox::Warning, tr("File changed"),
                         tr("%1 was changed by another program since it was opened or saved. "
                            "Overwrite it with this catalogue?")
                                 .arg(QDir::toNativeSeparators(jsonPath)),
                         QMessageBox::Cancel, this);
    const QPushButton *overwrite = question.addButton(tr("Overwrite"), QMessageBox::AcceptRole);
    question.setDefaultButton(QMessageBox::Cancel);
    question.exec();
    return question.clickedButton() == overwrite;
}

// The file layer checks, under the file's lock, that no one else changed the file since;
// when someone did, it has let the lock go by the time the user is asked.
bool MainWindow::saveToCurrentFile()
{
    const FileResult result = Edit::sof.saveUnlessChanged(jsonPath);
    if (result.outcome == FileResult::ChangedOnDisk)
        return confirmOverwrite() && writeCatalogue(jsonPath);
    return reportSave(jsonPath, result);
}

bool MainWindow::writeCatalogue(const QString &path)
{
    return reportSave(path, Edit::sof.save(path));
}

bool MainWindow::reportSave(const QString &path, const FileResult &result)
{
    if (!result.ok()) {
        reportFailure(tr("Could not save %1.").arg(QDir::toNativeSeparators(path)), result,
                      result.outcome == FileResult::RestoreFailed
                              ? tr("Its previous contents could not be put back either: save the catalogue under another name.")
                              : tr("The previous file is unchanged."));
        return false;
    }
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), statusTimeoutMs);
    return true;
}

void MainWindow::on_actionSave_triggered()
{
    saveCatalogue();
}

// Save as writes a copy: the current file stays the one Save writes to.
void MainWindow::on_actionSaveAs_triggered()
{
    const QString path = askSavePath(tr("Save file as..."));
    if (!path.isEmpty() && writeCatalogue(path)
        && (jsonPath.isEmpty() || QFileInfo(path) == QFileInfo(jsonPath)))
        setModified(false);
}

void MainWindow::reportFailure(const QString &what, const FileResult &result, const QString &after)
{
    QString reason;
    switch (result.outcome) {
    case FileResult::Done:
        return;
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
    }
    QMessageBox::warning(this, tr("Error"), QStringList({ what, reason, after }).join(u' ').trimmed());
}
