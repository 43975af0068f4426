#include "recoverycopy.h"

#include "privatefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A note names a file by its path: anything longer is not one.
constexpr qint64 maxNoteSize = 64 * 1024;

QString folder()
{
    return PrivateFolder::path(QStringLiteral("recovery"));
}

QString thisHost()
{
    return PrivateFolder::hashOf(QSysInfo::machineHostName()).left(8);
}

QString keyOf(const QString &file)
{
    return PrivateFolder::hashOf(QFileInfo(file).absoluteFilePath());
}

QString ownCopy(const QString &file)
{
    return QStringLiteral("%1/%2.%3.%4.json").arg(folder(), keyOf(file), thisHost()).arg(::getpid());
}

QString noteOf(const QString &copy)
{
    return copy.chopped(4) + QStringLiteral("path");
}

// The catalogue file that the note of `copy` names, where the note is trusted.
QString noteText(const QString &copy)
{
    QByteArray text;
    if (!PrivateFolder::trustedTime(noteOf(copy)) || !DiskFile::read(noteOf(copy), maxNoteSize, text).ok())
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
        const std::optional<QDateTime> written = PrivateFolder::trustedTime(copy);
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
    const FileResult result = PrivateFolder::write(note, QFileInfo(file).absoluteFilePath().toUtf8());
    return result.ok() ? PrivateFolder::write(copy, contents) : result;
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
    if (found.isEmpty() || (catalogue.exists() && found.first().written < catalogue.lastModified()))
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
