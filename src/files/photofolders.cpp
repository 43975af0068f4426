#include "photofolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString workingImages = QStringLiteral("../../Images/");
// As large as a picture the editor shows may be.
const qint64 maxPhotoSize = qint64(64) << 20;

QString currentCatalogueFolder;

} // namespace

namespace PhotoFolders {

void setCatalogueFolder(const QString &folder)
{
    currentCatalogueFolder = folder;
}

QString catalogueFolder()
{
    return currentCatalogueFolder;
}

QStringList candidates()
{
    QStringList folders { workingImages };
    if (!currentCatalogueFolder.isEmpty()) {
        const QDir catalogue(currentCatalogueFolder);
        folders << QDir::cleanPath(catalogue.filePath(QStringLiteral("../Images"))) + u'/'
                << catalogue.filePath(QStringLiteral("Images/"));
    }
    return folders;
}

QString find(const QString &name)
{
    const QStringList folders = candidates();
    for (const QString &folder : folders) {
        if (QFileInfo::exists(folder + name))
            return folder + name;
    }
    return folders.first() + name;
}

QString photosFolder()
{
    const QStringList folders = candidates();
    for (const QString &folder : folders) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return folders.size() > 1 ? folders.last() : QString();
}

QString nameInside(const QString &folder, const QString &file)
{
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (base.isEmpty())
        return {};
    const QString name = QDir(base).relativeFilePath(QFileInfo(file).canonicalFilePath());
    return name.startsWith(QStringLiteral("../")) || QDir::isAbsolutePath(name) ? QString() : name;
}

QString freeName(const QString &folder, const QString &name)
{
    const QFileInfo info(name);
    const QString stem = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QString free = name;
    for (int number = 2; DiskFile::nameTaken(folder + free); ++number)
        free = stem + u'-' + QString::number(number) + suffix;
    return free;
}

bool holdsCopy(const QString &folder, const QString &name, const QString &file)
{
    QByteArray held, copied;
    return DiskFile::read(folder + name, maxPhotoSize, held).ok()
        && DiskFile::read(file, maxPhotoSize, copied).ok() && held == copied;
}

bool holdsName(const QString &folder, const QString &name)
{
    return DiskFile::nameTaken(folder + name);
}

bool isReadableName(const QString &file)
{
    return !file.contains(QChar::ReplacementCharacter) || DiskFile::nameTaken(file);
}

FileResult copyInto(const QString &folder, const QString &name, const QString &file, bool replace)
{
    QByteArray bytes;
    if (FileResult read = DiskFile::read(file, maxPhotoSize, bytes); !read.ok())
        return read;
    if (!QDir().mkpath(folder)) {
        FileResult result;
        result.outcome = FileResult::CannotOpen;
        return result;
    }
    return DiskFile::writeNew(folder + name, bytes, replace);
}

} // namespace PhotoFolders
