#include "diskfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QCryptographicHash>
#include <QDir>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Closes its descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int descriptor = -1) : descriptor(descriptor) {}
    ~Descriptor() { reset(-1); }
    void reset(int other)
    {
        if (descriptor >= 0)
            ::close(descriptor);
        descriptor = other;
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return descriptor; }
    void release() { descriptor = -1; }
    bool isOpen() const { return descriptor >= 0; }

private:
    int descriptor;
};

FileResult failure(FileResult::Outcome outcome, int error = 0)
{
    FileResult result;
    result.outcome = outcome;
    if (error)
        result.reason = qt_error_string(error);
    return result;
}

// Opens the regular file `name`. Anything else (a FIFO, a device, a folder) is refused
// before it is opened; should the path have become one since, opening with O_NONBLOCK
// still returns at once, and the open file is checked again.
FileResult openRegularFile(const QByteArray &name, int flags, Descriptor &file, struct stat &info)
{
    if (::stat(name.constData(), &info) != 0)
        return failure(FileResult::CannotOpen, errno);
    if (!S_ISREG(info.st_mode))
        return failure(FileResult::NotRegularFile);
    file.reset(::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen())
        return failure(FileResult::CannotOpen, errno);
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return failure(FileResult::NotRegularFile);
    return {};
}

// Reads up to `size` bytes; 0 at the end of the file, -1 with errno set on failure.
ssize_t readSome(int descriptor, char *into, size_t size)
{
    ssize_t got;
    do
        got = ::read(descriptor, into, size);
    while (got < 0 && errno == EINTR);
    return got;
}

// Writes all of `contents` from offset 0, counting in `written` how far it got; returns 0
// or the error number.
int writeAll(int descriptor, const QByteArray &contents, qint64 &written)
{
    written = 0;
    while (written < contents.size()) {
        const ssize_t put = ::pwrite(descriptor, contents.constData() + written,
                                     size_t(contents.size() - written), written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? errno : EIO;
        written += put;
    }
    return 0;
}

int writeAllAndSync(int descriptor, const QByteArray &contents)
{
    qint64 written = 0;
    if (const int error = writeAll(descriptor, contents, written))
        return error;
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

// The whole file behind an open descriptor, or the reason it could not be read.
FileResult readOpenFile(int descriptor, qint64 expectedSize, qint64 maxSize, QByteArray &contents)
{
    // The size is only what the file held a moment ago: it may grow or shrink while it is
    // read, so reading goes on to the end and stops past maxSize.
    QByteArray read(expectedSize, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < read.size()) {
        const ssize_t got = readSome(descriptor, read.data() + filled, size_t(read.size() - filled));
        if (got < 0)
            return failure(FileResult::CannotOpen, errno);
        if (got == 0)
            break;
        filled += got;
    }
    read.truncate(filled);
    char more[64 * 1024];
    for (ssize_t got; (got = readSome(descriptor, more, sizeof more)) != 0;) {
        if (got < 0)
            return failure(FileResult::CannotOpen, errno);
        if (read.size() + got > maxSize)
            return failure(FileResult::TooLarge);
        read.append(more, got);
    }
    contents = std::move(read);
    return {};
}

bool hasExtendedAttributes(int descriptor)
{
    return ::flistxattr(descriptor, nullptr, 0) > 0;
}

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

bool sameOwnerGroupAndMode(const struct stat &a, const struct stat &b)
{
    return a.st_uid == b.st_uid && a.st_gid == b.st_gid && (a.st_mode & 07777) == (b.st_mode & 07777);
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

QByteArray baseOf(const QByteArray &name)
{
    return name.mid(name.lastIndexOf('/') + 1);
}

// This program's hidden side files of the file `name`: ".NAME.kalvio-WORD" beside it.
QByteArray sideName(const QByteArray &name, const char *word)
{
    return folderOf(name) + "/." + baseOf(name) + ".kalvio-" + word;
}

QByteArray temporaryPrefix(const QByteArray &name)
{
    return sideName(name, "save-");
}

// Removes the temporary files that saves of `name` left when they were killed: those no
// live save holds locked. A save takes its lock as soon as it has made its file, and
// makes another when it finds its own removed.
void removeStaleTemporaries(const QByteArray &name)
{
    const QByteArray folder = folderOf(name), prefix = baseOf(temporaryPrefix(name));
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent *entry = ::readdir(listing)) {
        if (!QByteArrayView(entry->d_name).startsWith(prefix))
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        const Descriptor temporary(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info;
        if (temporary.isOpen() && ::fstat(temporary.get(), &info) == 0 && S_ISREG(info.st_mode)
            && ::flock(temporary.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
    }
    ::closedir(listing);
}

// Makes a new temporary file for `name`, locked while it is open.
int makeTemporary(const QByteArray &name, QByteArray &temporaryName)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        temporaryName = temporaryPrefix(name) + "XXXXXX";
        Descriptor temporary(::mkostemp(temporaryName.data(), O_CLOEXEC));
        if (!temporary.isOpen())
            return -1;
        struct stat info;
        // Another save may have taken it for stale between its making and the lock.
        if (::flock(temporary.get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(temporary.get(), &info) == 0
            && info.st_nlink > 0) {
            const int made = temporary.get();
            temporary.release();
            return made;
        }
    }
    errno = EAGAIN;
    return -1;
}

void syncFolder(const QByteArray &name)
{
    const Descriptor folder(::open(folderOf(name).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        ::fsync(folder.get());
}

// Writes a complete new file beside the target and renames it over the target, which is
// atomic: readers see the old file or the new one, never a part. Returns nothing when the
// new file cannot be made to look like the old one (owner, group, mode, extended
// attributes) or cannot be made at all; the caller then writes in place.
std::optional<FileResult> replaceByRename(const QByteArray &name, int existing,
                                          const struct stat &target, const QByteArray &contents,
                                          FileStamp *stamp)
{
    if (target.st_nlink != 1 || hasExtendedAttributes(existing))
        return std::nullopt;
    QByteArray temporaryName;
    Descriptor temporary(makeTemporary(name, temporaryName));
    if (!temporary.isOpen())
        return std::nullopt;
    const auto discard = [&temporaryName] { ::unlink(temporaryName.constData()); };

    struct stat made;
    const bool alike = ::fstat(temporary.get(), &made) == 0
        && ((made.st_uid == target.st_uid && made.st_gid == target.st_gid)
            || ::fchown(temporary.get(), target.st_uid, target.st_gid) == 0)
        // After fchown(), which clears the set-id bits; the system may also refuse the
        // set-group-id bit silently, so the result is checked.
        && ::fchmod(temporary.get(), target.st_mode & 07777) == 0
        && ::fstat(temporary.get(), &made) == 0 && sameOwnerGroupAndMode(made, target);
    if (!alike) {
        discard();
        return std::nullopt;
    }
    int error = writeAllAndSync(temporary.get(), contents);
    if (!error && ::rename(temporaryName.constData(), name.constData()) != 0)
        error = errno;
    if (error) {
        discard();
        return failure(FileResult::WriteFailed, error);
    }
    if (stamp)
        *stamp = FileStamp::of(temporary.get(), contents);
    return FileResult();
}

// Where the backup of `name` goes when its folder takes no new file: the user's
// application data folder, under a name that tells files of the same name apart.
QByteArray privateBackupName(const QByteArray &name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        return {};
    const QByteArray tag = QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16);
    return QFile::encodeName(QDir(folder).filePath(QStringLiteral("backups/"))) + baseOf(name) + '-' + tag;
}

// The places a backup of `name` may be, in the order they are tried.
QList<QByteArray> backupNames(const QByteArray &name)
{
    QList<QByteArray> names { sideName(name, "backup") };
    if (const QByteArray other = privateBackupName(name); !other.isEmpty())
        names << sideName(other, "backup");
    return names;
}

// Writes `previous` to the first place that takes a backup of `name`, complete and synced
// before it gets its name, so that a backup is never a part. A place that holds the
// backup of an interrupted save, other than `previous`, is passed over: the user may not
// have seen it yet. Returns the backup's name, or nothing with errno set, and `noPlace` set
// where no place took a file at all.
std::optional<QByteArray> writeBackup(const QByteArray &name, const QByteArray &previous, bool &noPlace)
{
    int error = EEXIST;
    noPlace = true;
    for (const QByteArray &backup : backupNames(name)) {
        QByteArray left;
        const QString leftPath = QFile::decodeName(backup);
        if (QFileInfo::exists(leftPath)
            && !(DiskFile::read(leftPath, previous.size(), left).ok() && left == previous))
            continue;
        QDir().mkpath(QFile::decodeName(folderOf(backup)));
        removeStaleTemporaries(backup);
        QByteArray temporaryName;
        const Descriptor temporary(makeTemporary(backup, temporaryName));
        if (!temporary.isOpen()) {
            error = errno;
            continue;
        }
        noPlace = false;
        error = writeAllAndSync(temporary.get(), previous);
        if (!error && ::rename(temporaryName.constData(), backup.constData()) != 0)
            error = errno;
        if (!error) {
            syncFolder(backup);
            return backup;
        }
        ::unlink(temporaryName.constData());
    }
    errno = error;
    return std::nullopt;
}

// The folders where a backup of `name` was looked for in vain.
FileResult noBackupPlace(const QByteArray &name)
{
    QStringList folders;
    for (const QByteArray &backup : backupNames(name))
        folders << QDir::toNativeSeparators(QFile::decodeName(folderOf(backup)));
    FileResult result = failure(FileResult::NoBackupPlace);
    result.reason = folders.join(QStringLiteral(", "));
    return result;
}

// Overwrites the file where it is. Its previous contents go to a backup on disk first, for
// a save that is killed, and are held in memory until the new ones are completely written
// and synced; any failure puts them back. Space is reserved before anything is
// overwritten, so a full disk fails before the first byte changes.
FileResult overwriteInPlace(const QByteArray &name, int existing, const QByteArray &contents,
                            qint64 maxPreviousSize)
{
    QByteArray previous;
    Descriptor reader;
    struct stat info;
    FileResult read = openRegularFile(name, O_RDONLY, reader, info);
    if (read.ok() && info.st_size > maxPreviousSize)
        read = failure(FileResult::TooLarge);
    if (read.ok())
        read = readOpenFile(reader.get(), info.st_size, maxPreviousSize, previous);
    if (!read.ok())
        return read;
    bool noPlace = false;
    const std::optional<QByteArray> backup = writeBackup(name, previous, noPlace);
    if (!backup && noPlace)
        return noBackupPlace(name);
    if (!backup)
        return failure(FileResult::WriteFailed, errno);
    const qint64 previousSize = previous.size();
    qint64 overwritten = 0;
    int error = 0;
    // Not posix_fallocate(): where the file system cannot reserve space, its fallback reads
    // the file, through a descriptor that is open for writing only, and fails.
    if (contents.size() > previousSize
        && ::fallocate(existing, 0, previousSize, contents.size() - previousSize) != 0
        && errno != EOPNOTSUPP)
        error = errno;
    if (!error)
        error = writeAll(existing, contents, overwritten);
    if (!error && contents.size() < previousSize) {
        overwritten = previousSize;
        if (::ftruncate(existing, contents.size()) != 0)
            error = errno;
    }
    if (!error && ::fsync(existing) != 0) {
        overwritten = previousSize;
        error = errno;
    }
    if (!error) {
        ::unlink(backup->constData());
        return {};
    }

    // Only what was overwritten is written back: the rest never changed, and writing it
    // again could fail for the very reason the new contents did.
    qint64 rewritten = 0;
    const bool restored =
            writeAll(existing, previous.left(std::min(overwritten, previousSize)), rewritten) == 0
            && ::ftruncate(existing, previousSize) == 0 && ::fsync(existing) == 0;
    // A file that could not be put back keeps its backup.
    if (restored)
        ::unlink(backup->constData());
    return failure(restored ? FileResult::WriteFailed : FileResult::RestoreFailed, error);
}

// Takes the advisory lock of the open file `file`, which other saves of this program take
// too, polling for about two seconds. Where the file system cannot lock files, a hidden
// side file beside it is locked instead, held open in `sideLock`.
bool lockForWriting(int file, const QByteArray &name, Descriptor &sideLock)
{
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int lockable = file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (lockable == file && ::fcntl(file, F_OFD_SETLK, &whole) == 0)
            return true;
        if (lockable == file && errno != EAGAIN && errno != EACCES && errno != EINTR) {
            sideLock.reset(::open(sideName(name, "lock").constData(),
                                  O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (!sideLock.isOpen())
                return false;
            lockable = sideLock.get();
        }
        if (lockable != file && ::flock(lockable, LOCK_EX | LOCK_NB) == 0)
            return true;
        QThread::msleep(20);
    }
    return false;
}

// Opens the existing regular file `name` for writing and takes its lock. A file that
// another save replaced while this one waited is opened again, so that the lock held is
// that of the file the path names.
FileResult openLocked(const QByteArray &name, Descriptor &file, struct stat &info, Descriptor &sideLock)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (const FileResult opened = openRegularFile(name, O_WRONLY, file, info); !opened.ok())
            return opened;
        if (!lockForWriting(file.get(), name, sideLock))
            return failure(FileResult::Locked);
        struct stat now;
        if (::stat(name.constData(), &now) == 0 && now.st_dev == info.st_dev && now.st_ino == info.st_ino)
            return ::fstat(file.get(), &info) == 0 ? FileResult() : failure(FileResult::CannotOpen, errno);
    }
    return failure(FileResult::Locked);
}

// The path a write of `path` creates when nothing is there yet: the path itself, or the
// end of the dangling symbolic links it leads through.
QByteArray nameToCreate(const QString &path)
{
    QFileInfo link(path);
    for (int depth = 0; depth < 40 && link.isSymLink(); ++depth)
        link.setFile(link.symLinkTarget());
    return QFile::encodeName(link.filePath());
}

} // namespace

bool FileStamp::changedOnDisk(const QString &path) const
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false; // gone: there is nothing to overwrite
    if (info.st_dev != device || info.st_ino != inode || info.st_size != size
        || nanoseconds(info.st_mtim) != modifiedNs || nanoseconds(info.st_ctim) != changedNs)
        return true;
    if (!hashed)
        return false;
    QByteArray contents;
    return !DiskFile::read(path, size, contents).ok() || qHash(contents, 0) != contentHash;
}

FileStamp FileStamp::of(int descriptor, const QByteArray &contents)
{
    FileStamp stamp;
    struct stat info;
    if (::fstat(descriptor, &info) != 0)
        return stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = nanoseconds(info.st_mtim);
    stamp.changedNs = nanoseconds(info.st_ctim);
    // Timestamps come from a clock that ticks every few milliseconds; on some file systems
    // every second or two. A file changed within that span of now could change again
    // without its timestamps moving, so its contents are remembered by their hash.
    const qint64 racyNs = 3'000'000'000;
    const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    stamp.hashed = nowNs - std::min(stamp.changedNs, stamp.modifiedNs) < racyNs;
    if (stamp.hashed)
        stamp.contentHash = qHash(contents, 0);
    return stamp;
}

FileResult DiskFile::read(const QString &path, qint64 maxSize, QByteArray &contents, FileStamp *stamp)
{
    Descriptor file;
    struct stat info;
    FileResult result = openRegularFile(QFile::encodeName(path), O_RDONLY, file, info);
    if (result.ok() && info.st_size > maxSize)
        result = failure(FileResult::TooLarge);
    if (result.ok())
        result = readOpenFile(file.get(), info.st_size, maxSize, contents);
    if (result.ok() && stamp)
        *stamp = FileStamp::of(file.get(), contents);
    return result;
}

FileResult DiskFile::write(const QString &path, const QByteArray &contents, FileStamp *stamp,
                           const WriteConditions &conditions)
{
    QString canonical = QFileInfo(path).canonicalFilePath();
    // A path that names nothing yet gets a new file, made as any new file is made (the
    // user's umask, the folder's group); if writing it fails, it is removed again. One
    // that another save makes meanwhile is written as an existing file.
    if (canonical.isEmpty()) {
        const QByteArray name = nameToCreate(path);
        Descriptor file(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (!file.isOpen() && (errno != EEXIST || (canonical = QFileInfo(path).canonicalFilePath()).isEmpty()))
            return failure(FileResult::CannotOpen, errno);
        if (file.isOpen()) {
            if (const int error = writeAllAndSync(file.get(), contents)) {
                ::unlink(name.constData());
                return failure(FileResult::WriteFailed, error);
            }
            if (stamp)
                *stamp = FileStamp::of(file.get(), contents);
            return {};
        }
    }

    // Symbolic links are followed: the file they lead to is the one written. Opening for
    // writing refuses exactly what a plain write would: a read-only file, a read-only
    // file system.
    const QByteArray name = QFile::encodeName(canonical);
    Descriptor existing, sideLock;
    struct stat target;
    if (const FileResult opened = openLocked(name, existing, target, sideLock); !opened.ok())
        return opened;
    if (conditions.unchangedSince && conditions.unchangedSince->changedOnDisk(path))
        return failure(FileResult::ChangedOnDisk);
    removeStaleTemporaries(name);
    if (const std::optional<FileResult> result =
                replaceByRename(name, existing.get(), target, contents, stamp))
        return *result;
    const FileResult result = overwriteInPlace(name, existing.get(), contents, conditions.maxPreviousSize);
    if (result.ok() && stamp)
        *stamp = FileStamp::of(existing.get(), contents);
    return result;
}

QString DiskFile::interruptedWriteBackup(const QString &path, qint64 maxSize)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    for (const QByteArray &backup : backupNames(QFile::encodeName(canonical))) {
        const QString backupPath = QFile::decodeName(backup);
        QByteArray saved, present;
        if (QFileInfo(backupPath).isFile() && read(backupPath, maxSize, saved).ok()
            && (!read(path, maxSize, present).ok() || present != saved))
            return backupPath;
    }
    return {};
}
