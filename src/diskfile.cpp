#include "diskfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

#include <fcntl.h>
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
    QByteArray temporaryName = name + ".XXXXXX";
    Descriptor temporary(::mkostemp(temporaryName.data(), O_CLOEXEC));
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

// Overwrites the file where it is. Its previous contents are held in memory until the new
// ones are completely written and synced; any failure puts them back. Space is reserved
// before anything is overwritten, so a full disk fails before the first byte changes.
FileResult overwriteInPlace(const QByteArray &name, int existing, const QByteArray &contents)
{
    QByteArray previous;
    Descriptor reader;
    struct stat info;
    FileResult read = openRegularFile(name, O_RDONLY, reader, info);
    if (read.ok())
        read = readOpenFile(reader.get(), info.st_size, std::numeric_limits<qint64>::max(), previous);
    if (!read.ok())
        return read;
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
    if (!error)
        return {};

    // Only what was overwritten is written back: the rest never changed, and writing it
    // again could fail for the very reason the new contents did.
    qint64 rewritten = 0;
    const bool restored =
            writeAll(existing, previous.left(std::min(overwritten, previousSize)), rewritten) == 0
            && ::ftruncate(existing, previousSize) == 0 && ::fsync(existing) == 0;
    return failure(restored ? FileResult::WriteFailed : FileResult::RestoreFailed, error);
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

FileResult DiskFile::write(const QString &path, const QByteArray &contents, FileStamp *stamp)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    // A path that names nothing yet gets a new file, made as any new file is made (the
    // user's umask, the folder's group); if writing it fails, it is removed again.
    if (canonical.isEmpty()) {
        const QByteArray name = QFile::encodeName(path);
        Descriptor file(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (!file.isOpen())
            return failure(FileResult::CannotOpen, errno);
        if (const int error = writeAllAndSync(file.get(), contents)) {
            ::unlink(name.constData());
            return failure(FileResult::WriteFailed, error);
        }
        if (stamp)
            *stamp = FileStamp::of(file.get(), contents);
        return {};
    }

    // Symbolic links are followed: the file they lead to is the one written. Opening for
    // writing refuses exactly what a plain write would: a read-only file, a read-only
    // file system.
    const QByteArray name = QFile::encodeName(canonical);
    Descriptor existing;
    struct stat target;
    if (const FileResult opened = openRegularFile(name, O_WRONLY, existing, target); !opened.ok())
        return opened;
    if (const std::optional<FileResult> result =
                replaceByRename(name, existing.get(), target, contents, stamp))
        return *result;
    const FileResult result = overwriteInPlace(name, existing.get(), contents);
    if (result.ok() && stamp)
        *stamp = FileStamp::of(existing.get(), contents);
    return result;
}
