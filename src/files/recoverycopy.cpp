#include "recoverycopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A note names a file by its path: anything longer is not one.
constexpr qint64 maxNoteSize = 64 * 1024;

QString hashOf(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// Only the user may enter it, so that what lies in it is the user's own doing.
QString folder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
    if (QDir().mkpath(path))
        ::chmod(QFile::encodeName(path).constData(), 0700);
    return path;
}

QString thisHost()
{
    return hashOf(QSysInfo::machineHostName()).left(8);
}

QString keyOf(const QString &file)
{
    return hashOf(QFileInfo(file).absoluteFilePath());
}

QString ownCopy(const QString &file)
{
    return QStringLiteral("%1/%2.%3.%4.json").arg(folder(), keyOf(file), thisHost()).arg(::getpid());
}

QString noteOf(const QString &copy)
{
    return copy.chopped(4) + QStringLiteral("path");
}

// A regular file of this user that no one else may write, not through a link, and when it
// was last written.
std::optional<QDateTime> trustedTime(const QString &path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & (S_IWGRP | S_IWOTH)))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000);
}

// The catalogue file that the note of `copy` names, where the note is trusted.
QString noteText(const QString &copy)
{
    QByteArray text;
    if (!trustedTime(noteOf(copy)) || !DiskFile::read(noteOf(copy), maxNoteSize, text).ok())
        return {};
    return QString::fromUtf8(text);
}

// A copy whose process still runs on this computer is that process's to keep.
bool writerRuns(const QString &copy)
{
    const QStringList parts = QFileInfo(copy).fileName().split(u'.');
    bool isNumber = false;
    const qint64 pid = parts.value(2).toLongLong(&isNumber);
    return parts.value(1) == thisHost() && isNumber && pid > 0 && pid <= INT_MAX
        && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH);
}

// Every trusted copy left of the catalogue files whose key matches `keys`, newest first.
QList<RecoveryCopy::Left> leftCopies(const QString &keys)
{
    QList<RecoveryCopy::Left> found;
    const QDir copies(folder());
    for (const QString &name : copies.entryList({ keys + QStringLiteral(".*.json") }, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString copy = copies.filePath(name);
        const std::optional<QDateTime> written = trustedTime(copy);
        if (!written || writerRuns(copy))
            continue;
        const QString file = noteText(copy);
        if (!file.isEmpty() && keyOf(file) == name.section(u'.', 0, 0))
            found.append({ copy, file, *written });
    }
    std::sort(found.begin(), found.end(), [](const RecoveryCopy::Left &a, const RecoveryCopy::Left &b) { return a.written > b.written; });
    return found;
}

} // namespace

FileResult RecoveryCopy::write(const QString &file, const QByteArray &contents)
{
    const QString copy = ownCopy(file), note = noteOf(copy);
    FileResult result = DiskFile::write(note, QFileInfo(file).absoluteFilePath().toUtf8());
    if (result.ok())
        result = DiskFile::write(copy, contents);
    // Made as any new file is, they may be open to the group: they become the user's alone.
    for (const QString &made : { note, copy })
        ::chmod(QFile::encodeName(made).constData(), 0600);
    return result;
}

void RecoveryCopy::remove(const QString &file)
{
    const QString copy = ownCopy(file);
    QFile::remove(copy);
    QFile::remove(noteOf(copy));
}

std::optional<RecoveryCopy::Left> RecoveryCopy::left(const QString &file)
{
    const QList<Left> found = leftCopies(keyOf(file));
    const QFileInfo catalogue(file);
    if (found.isEmpty() || (catalogue.exists() && found.first().written <= catalogue.lastModified()))
        return std::nullopt;
    return found.first();
}

QStringList RecoveryCopy::leftFiles()
{
    QStringList files;
    for (const Left &copy : leftCopies(QStringLiteral("*")))
        if (!files.contains(copy.file) && left(copy.file))
            files << copy.file;
    return files;
}

void RecoveryCopy::discard(const Left &left)
{
    QFile::remove(left.copy);
    QFile::remove(noteOf(left.copy));
}

QString RecoveryCopy::adopt(const Left &left)
{
    const QString copy = ownCopy(left.file);
    if (::rename(QFile::encodeName(left.copy).constData(), QFile::encodeName(copy).constData()) != 0)
        return left.copy;
    ::rename(QFile::encodeName(noteOf(left.copy)).constData(), QFile::encodeName(noteOf(copy)).constData());
    return copy;
}
