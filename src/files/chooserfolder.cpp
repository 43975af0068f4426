#include "chooserfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString workingCatalogues = QStringLiteral("../../json");
const QString lastFolderKey = QStringLiteral("choosers/lastFolder");

} // namespace

namespace ChooserFolder {

QString start()
{
    const QStringList folders {
        workingCatalogues,
        QSettings().value(lastFolderKey).toString(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
    };
    for (const QString &folder : folders) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QFileInfo(folder).canonicalFilePath();
    }
    return QDir::homePath();
}

void remember(const QString &chosen)
{
    QSettings().setValue(lastFolderKey, QFileInfo(chosen).absolutePath());
}

} // namespace ChooserFolder
