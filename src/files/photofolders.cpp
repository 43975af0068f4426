#include "photofolders.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
    return candidatesFor(currentCatalogueFolder);
}

QStringList candidatesFor(const QString &folder)
{
    QStringList folders { workingImages };
    if (!folder.isEmpty()) {
        const QDir catalogue(folder);
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
    if (!QDir().mkpath(QFileInfo(folder + name).path())) {
        FileResult result;
        result.outcome = FileResult::CannotOpen;
        return result;
    }
    FileResult written = DiskFile::writeNew(folder + name, bytes, replace);
    if (written.ok())
        emit PhotoCopies::instance().copied(name);
    return written;
}

QStringList unreachableFrom(const QString &catalogueFolder, const QStringList &names)
{
    const QStringList there = candidatesFor(catalogueFolder);
    QStringList unreachable;
    for (const QString &name : names) {
        const QString clean = QDir::cleanPath(name);
        if (QDir::isAbsolutePath(clean) || clean == QStringLiteral("..") || clean.startsWith(QStringLiteral("../")))
            continue;
        const QString file = find(name);
        if (!QFileInfo(file).isFile())
            continue;
        const auto holds = [&](const QString &folder) { return holdsCopy(folder, name, file); };
        if (std::none_of(there.cbegin(), there.cend(), holds))
            unreachable << name;
    }
    return unreachable;
}

} // namespace PhotoFolders

PhotoCopies &PhotoCopies::instance()
{
    static PhotoCopies copies;
    return copies;
}
