#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "edit.h"
#include "picturefile.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardItemModel>

#include <algorithm>
#include <unordered_map>

namespace {

const QString appTitle = QStringLiteral("Kälviö");
const QString logoPath = QStringLiteral("../../Images/logo.png");
const QString directoryPath = QStringLiteral("../../json");
const QString fileFilter = QStringLiteral("Files JSON (*.json)");

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
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
    QAction *actionLeave = createAction(tr("&Leave"), "Ctrl+Q", &QCoreApplication::quit);
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

    QList<QStandardItem *> categoryRows;
    std::unordered_map<std::string, QStandardItem *> categoryItems;
    for (const Furniture *furniture : Edit::sof.getFurnitures()) {
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
    editor->show();
}

// Any row whose text holds a "." is taken for a variant identifier; with several
// elements holding it, the last one is opened.
void MainWindow::on_treeView_doubleClicked(const QModelIndex &index)
{
    const QStandardItem *selectedItem = model->itemFromIndex(index);
    if (!selectedItem || !selectedItem->text().contains(u'.'))
        return;
    const std::string id = selectedItem->text().toStdString();
    Furniture *found = nullptr;
    for (Furniture *furniture : Edit::sof.getFurnitures()) {
        const std::vector<Form> &forms = furniture->getForms();
        if (std::any_of(forms.begin(), forms.end(),
                        [&id](const Form &form) { return form.getId() == id; }))
            found = furniture;
    }
    if (found)
        openEditor(new Edit(this, found, id));
}

void MainWindow::on_actionNewFurniture_triggered()
{
    openEditor(new Edit(nullptr));
}

void MainWindow::on_actionNew_triggered()
{
    Edit::sof.clear();
    jsonPath.clear();
    updateTreeView();
    setWindowTitle(appTitle);
}

// A file that could not be read is not adopted: a later Save must not overwrite it.
void MainWindow::on_actionOpen_triggered()
{
    const QString filename =
            QFileDialog::getOpenFileName(this, tr("Open file"), directoryPath, fileFilter);
    if (filename.isEmpty() || !Edit::sof.load(filename))
        return;
    const QString fileNameOnly = QFileInfo(filename).fileName().section(u'.', 0, 0);
    setWindowTitle(fileNameOnly + QStringLiteral(" - ") + appTitle);
    jsonPath = filename;
    updateTreeView();
}

QString MainWindow::askSavePath(const QString &caption)
{
    return QFileDialog::getSaveFileName(this, caption, directoryPath, fileFilter);
}

void MainWindow::on_actionSave_triggered()
{
    const QString path = jsonPath.isEmpty() ? askSavePath(tr("Save file")) : jsonPath;
    if (!path.isEmpty())
        Edit::sof.save(path);
}

void MainWindow::on_actionSaveAs_triggered()
{
    const QString path = askSavePath(tr("Save file as..."));
    if (!path.isEmpty())
        Edit::sof.save(path);
}
