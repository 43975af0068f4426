#include "keptbase.h"

#include "privatefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace {

// A note holds an identity and a path: anything longer is not one.
constexpr qint64 maxNoteSize = 64 * 1024;

QString folder()
{
    return PrivateFolder::path(QStringLiteral("bases"));
}

QString noteOf(const QString &base)
{
    return base.chopped(4) + QStringLiteral("path");
}

// "DEVICE INODE" of the file that `path` reaches, empty where there is none.
QByteArray identityOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QByteArray::number(quint64(info.st_dev)) + ' ' + QByteArray::number(quint64(info.st_ino));
}

bool isFresh(const QString &file)
{
    const std::optional<QDateTime> written = PrivateFolder::trustedTime(file);
    return written && written->daysTo(QDateTime::currentDateTime()) < KeptBase::maxAgeDays;
}

// The identity and the path that the note of `base` holds, where both are trusted.
std::pair<QByteArray, QString> noteOfBase(const QString &base)
{
    QByteArray text;
    if (!isFresh(base) || !PrivateFolder::trustedTime(noteOf(base))
        || !DiskFile::read(noteOf(base), maxNoteSize, text).ok())
        return {};
    const qsizetype end = text.indexOf('\n');
    return { text.left(end), end < 0 ? QString() : QString::fromUtf8(text.mid(end + 1)) };
}

// The user's own bases in `folder`, newest first.
QFileInfoList keptBases(const QString &folder)
{
    QFileInfoList bases;
    for (const QFileInfo &base : QDir(folder).entryInfoList({ QStringLiteral("*.json") }, QDir::Files | QDir::Hidden | QDir::System))
        if (PrivateFolder::trustedTime(base.filePath()))
            bases << base;
    std::sort(bases.begin(), bases.end(), [](const QFileInfo &a, const QFileInfo &b) { return a.lastModified() > b.lastModified(); });
    return bases;
}

void removeStale(const QString &folder)
{
    const QFileInfoList bases = keptBases(folder);
    for (qsizetype index = 0; index < bases.size(); ++index)
        if (index >= KeptBase::maxBases || !isFresh(bases[index].filePath())) {
            QFile::remove(bases[index].filePath());
            QFile::remove(noteOf(bases[index].filePath()));
        }
}

} // namespace

QString KeptBase::placeOf(const QString &file)
{
    return QStringLiteral("%1/%2.json").arg(folder(), PrivateFolder::hashOf(QFileInfo(file).absoluteFilePath()));
}

FileResult KeptBase::keep(const QString &place, const QString &file, const QByteArray &contents)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    FileResult result = PrivateFolder::write(noteOf(place), identityOf(path) + '\n' + path.toUtf8());
    if (result.ok())
        result = PrivateFolder::write(place, contents);
    removeStale(QFileInfo(place).path());
    return result;
}

QString KeptBase::find(const QString &file)
{
    const QFileInfo info(file);
    const QString path = info.absoluteFilePath(), base = placeOf(path);
    if (noteOfBase(base).second == path)
        return base;
    // Moved within its folder, or with its name: the same file, not one that was given
    // the inode of one deleted.
    const QByteArray identity = identityOf(path);
    for (const QFileInfo &kept : keptBases(QFileInfo(base).path())) {
        const auto [keptIdentity, keptPath] = noteOfBase(kept.filePath());
        const QFileInfo was(keptPath);
        if (!identity.isEmpty() && keptIdentity == identity
            && (was.fileName() == info.fileName() || was.absolutePath() == info.absolutePath()))
            return kept.filePath();
    }
    return {};
}
