#pragma once

#include "cataloguerecovery.h"
#include "inusenotice.h"
#include "recoverycopy.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class CatalogueDocument;
class CatalogueExchange;
class CatalogueSearch;
class CatalogueTreeModel;
struct CatalogueChange;
class Edit;
class Furniture;
class PriceList;
class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QPushButton;
class QUndoStack;
struct FileResult;
class UnkeptValues;
class UserGuide;

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
    void offerLeftRecovery();

public slots:
    void leaveWithoutAsking();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    void showLogo(const QString &path);
    void buildFileMenu();
    QMenu *buildRecentMenu();
    void fillRecentMenu();
    template<typename Command>
    QAction *createAction(const QString &text, const char *shortcut, Command command);
    void buildEditMenu();
    void buildCatalogueMenu();
    QAction *createHistoryAction(const char *name, QKeySequence::StandardKey key,
                                 void (QUndoStack::*move)());
    void nameHistorySteps();
    void buildViewMenu();
    void showPriceList();
    void buildHelpMenu();
    void showUserGuide();
    void showAbout();
    void catalogueChanged(const CatalogueChange &change);
    void setupFilter();
    void focusFilter();
    void filterEdited();
    void showTree();
    void showFilterCount(std::size_t shown);
    void showDetails();
    void goToFirstVariant();
    void findScanned();
    void activateRow(const QModelIndex &index);
    void openEditor(Edit *editor);
    void placeOverWindow(QWidget *editor) const;
    void openVariant(Furniture *element, std::size_t variant);
    void updateWindowTitle();
    bool settleUnsavedChanges();
    bool saveCatalogue();
    bool rememberIfSaved(const QString &path, bool saved);
    bool settleChangedFile(const QString &path);
    bool mergeWithFileOnDisk(const QString &path);
    bool writeCatalogue(const QString &path);
    bool saveWith(const QString &path, const std::function<FileResult()> &write);
    FileResult waitOutLock(const std::function<FileResult()> &write);
    std::optional<RecoveryCopy::Left> recoveryToOpen(const QString &filename);
    QString fileOrInterruptedSaveBackup(const QString &filename);
    QString olderBackups(const QStringList &older);
    QString backupAfterFailure(const QString &filename, const QString &source, const FileResult &result);
    QString failureReason(const FileResult &result);
    QString askSavePath(const QString &caption);
    void offerPhotoCopies(const QString &folder);
    bool confirmPhotoReplace(const QString &images, const QString &name);
    enum class InUseAnswer { Open, OpenReadOnly, Cancel };
    InUseAnswer askIfInUse(const QString &filename);
    void adoptFile(const QString &filename, bool readOnly);
    void offerReload();
    void reloadCatalogue();
    void offerConflictCopy();
    void mergeConflictCopy();
    void offerTrashOfMergedCopy();
    void warnOfUnkeptValues(const QString &filename, const UnkeptValues &unkept);
    bool mergeDespiteUnkeptValues(const QString &filename, const UnkeptValues &unkept);
    static QString unkeptValuesText(const QString &filename, const UnkeptValues &unkept);
    bool reportFailure(const QString &what, const FileResult &result, const QString &after = {},
                       bool offerRetry = false);

    Ui::MainWindow *ui;
    // The catalogue shown, with its history and its file.
    CatalogueDocument &document;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    // Every change that adds, removes or moves elements or variants rebuilds the tree, so
    // the records its rows name stay valid while it is shown.
    CatalogueTreeModel *model = nullptr;
    // The filter's search over the catalogue as it was at the last rebuild; made when the
    // filter first needs it after that.
    std::unique_ptr<CatalogueSearch> search;
    // Lets a burst of keystrokes pass before a slow filter is applied again.
    QTimer filterPause;
    qint64 lastFilterMs = 0;
    QLabel *labelShown = nullptr;
    QList<QPointer<Edit>> editors;
    QPointer<PriceList> priceList;
    QPointer<UserGuide> userGuide;
    CatalogueExchange *exchange = nullptr;
    // The notice beside the current file that tells others it is open here.
    InUseNotice inUse;
    QTimer noticeRefresh;
    CatalogueRecovery recovery;
    bool leavingWithoutAsking = false;
    QAction *actionSave = nullptr;
    QMenu *menuRecent = nullptr;
    QPushButton *buttonReload = nullptr;
    QPushButton *buttonMergeCopy = nullptr;
    // The conflict copy offered, and the one merged since the last save.
    QString conflictCopy;
    QString mergedCopy;
};
