#pragma once

#include <QMainWindow>
#include <QString>

class Edit;
class QAction;
class QModelIndex;
class QStandardItemModel;

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

    // Menu commands. They are connected to their actions in buildFileMenu(), not by
    // name: the actions are made after the form, so they are plain functions.
    void on_actionNewFurniture_triggered();

public slots:
    void receiveDataFromEdit();

private slots:
    void on_treeView_doubleClicked(const QModelIndex &index);

private:
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSaveAs_triggered();
    void on_actionNew_triggered();

    void showLogo(const QString &path);
    void buildFileMenu();
    template<typename Command>
    QAction *createAction(const QString &text, const char *shortcut, Command command);
    QString askSavePath(const QString &caption);
    void openEditor(Edit *editor);

    Ui::MainWindow *ui;
    // The catalogue file that Save writes to; empty until a file is opened.
    QString jsonPath;
    QStandardItemModel *model = nullptr;
};
