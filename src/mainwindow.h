#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <unordered_map>

class Edit;
class Furniture;
class QAction;
class QModelIndex;
class QStandardItem;
class QStandardItemModel;
struct FileResult;

namespace Ui {
class MainWindow;
}

// Shows the shared catalogue as a tree of categories, elements and variants, and
// carries the File menu.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void updateTreeView();
    // Adds the catalogue file's furniture, as File › Open does with the file chosen; a file
    // that cannot be read is reported and changes nothing.
    void openCatalogue(const QString &filename);

protected:
    void closeEvent(QCloseEvent *event) override;

// The File menu's commands are connected to their actions in buildFileMenu(): the actions
// are made after the form, so the form's connection by name never reaches them.
private slots:
    void on_treeView_doubleClicked(const QModelIndex &index);
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSaveAs_triggered();
    void on_actionNew_triggered();

public slots:
    void receiveDataFromEdit();
    void on_actionNewFurniture_triggered();

private:
    void setupFormQuietly();
    void showLogo(const QString &path);
    void buildFileMenu();
    template<typename Command>
    QAction *createAction(const QString &text, const char *shortcut, Command command);
    void openEditor(Edit *editor);
    void markModified();
    void setModified(bool value);
    void updateWindowTitle();
    bool settleUnsavedChanges();
    bool saveCatalogue();
    bool confirmOverwrite();
    bool saveToCurrentFile();
    bool writeCatalogue(const QString &path);
    bool reportSave(const QString &path, const FileResult &result);
    QString fileOrInterruptedSaveBackup(const QString &filename);
    QString askSavePath(const QString &caption);
    void reportFailure(const QString &what, const FileResult &result, const QString &after = {});

    Ui::MainWindow *ui;
    // The catalogue file that Save writes to; empty until a file is opened.
    QString jsonPath;
    // Whether the catalogue holds changes that jsonPath (or, without one, no file) holds not.
    bool modified = false;
    QStandardItemModel *model = nullptr;
    // The element each element row of the tree shows. Every change that adds or removes
    // elements rebuilds the tree, so these stay valid while the tree is shown.
    std::unordered_map<const QStandardItem *, Furniture *> elementRows;
    QList<QPointer<Edit>> editors;
};
