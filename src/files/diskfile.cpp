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
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <iterator>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
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

// A large file read into fresh memory takes a page fault for every 4 KB it fills, which
// costs as much as the reading itself on some machines: huge pages, where the kernel gives
// them when asked, take one for every 2 MB.
void adviseHugePages(QByteArray &buffer)
{
    constexpr quintptr hugePage = quintptr(2) << 20;
    const auto start = (quintptr(buffer.data()) + hugePage - 1) & ~(hugePage - 1);
    const auto end = (quintptr(buffer.data()) + quintptr(buffer.size())) & ~(hugePage - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}

// The whole file behind an open descriptor, or the reason it could not be read.
FileResult readOpenFile(int descriptor, qint64 expectedSize, qint64 maxSize, QByteArray &contents)
{
    // The size is only what the file held a moment ago: it may grow or shrink while it is
    // read, so reading goes on to the end and stops past maxSize.
    QByteArray read(expectedSize, Qt::Uninitialized);
    adviseHugePages(read);
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

// The longest file name that Linux file systems take.
constexpr qsizetype longestName = 255;
const QByteArray backupWord = ".kalvio-backup";

// This program's hidden side files of the file `name`: ".NAME.kalvio-WORD" beside it. A
// name that would be too long keeps the start of NAME, cut where a character starts, and
// a hash of the whole.
QByteArray sideName(const QByteArray &name, const QByteArray &word)
{
    QByteArray base = baseOf(name);
    const QByteArray end = ".kalvio-" + word;
    if (1 + base.size() + end.size() > longestName) {
        const QByteArray hash = '~' + QCryptographicHash::hash(base, QCryptographicHash::Sha1).toHex().left(16);
        qsizetype keep = longestName - 1 - end.size() - hash.size();
        while (keep > 0 && (base[keep] & 0xC0) == 0x80)
            --keep;
        base = base.left(keep) + hash;
    }
    return folderOf(name) + "/." + base + end;
}

// The template of the temporary files of `name`, ending in "XXXXXX".
QByteArray temporaryPattern(const QByteArray &name)
{
    return sideName(name, "save-XXXXXX");
}

bool isOwn(const struct stat &info)
{
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// Removes the temporary files that saves of `name` by this user left when they were
// killed: regular files of exactly the pattern's name that no live save holds locked. A
// save takes its lock as soon as it has made its file, and makes another when it finds
// its own removed.
void removeStaleTemporaries(const QByteArray &name)
{
    const QByteArray pattern = temporaryPattern(name), folder = folderOf(pattern);
    const QByteArray prefix = baseOf(pattern).chopped(6);
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArrayView entryName(entry->d_name);
        if (entryName.size() != prefix.size() + 6 || !entryName.startsWith(prefix)
            || !std::all_of(entryName.end() - 6, entryName.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        const Descriptor temporary(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info;
        if (temporary.isOpen() && ::fstat(temporary.get(), &info) == 0 && isOwn(info)
            && ::flock(temporary.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
    }
    ::closedir(listing);
}

// Makes a new temporary file for `name`, locked while it is open.
int makeTemporary(const QByteArray &name, QByteArray &temporaryName)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        temporaryName = temporaryPattern(name);
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

// The user's own folder for backups and the notes of where backups lie; empty where the
// system gives none.
QByteArray privateFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QByteArray() : QFile::encodeName(QDir(folder).filePath(QStringLiteral("backups")));
}

// Made for this user alone: it holds copies of catalogues and where they lie.
void makePrivateFolder(const QByteArray &folder)
{
    QDir().mkpath(QFile::decodeName(folderOf(folder)));
    ::mkdir(folder.constData(), 0700);
}

// Where the backups of `name` go when its folder takes no new file: the user's
// application data folder, under a name that holds the file's device and inode, so that
// any of its hard links finds them.
QByteArray inodeTag(const struct stat &file)
{
    return '-' + QByteArray::number(quint64(file.st_dev), 16) + '-' + QByteArray::number(quint64(file.st_ino), 16);
}

QByteArray privateBackupOwner(const QByteArray &name, const struct stat &file)
{
    const QByteArray folder = privateFolder();
    return folder.isEmpty() ? folder : folder + '/' + baseOf(name).left(100) + inodeTag(file);
}

// The files whose side names the backups of `name` take, in the order they are tried.
QList<QByteArray> backupOwners(const QByteArray &name, const struct stat &file)
{
    QList<QByteArray> owners { name };
    if (const QByteArray other = privateBackupOwner(name, file); !other.isEmpty())
        owners << other;
    return owners;
}

// ".NAME.kalvio-backup", then "-2", "-3"...
QByteArray backupName(const QByteArray &owner, int slot)
{
    return sideName(owner, slot ? "backup-" + QByteArray::number(slot + 1) : QByteArray("backup"));
}

// A backup this user may trust: a regular file of its own, not a link, that no one else may write.
bool isOwnBackup(const struct stat &info)
{
    return isOwn(info) && !(info.st_mode & (S_IWGRP | S_IWOTH));
}

bool readOwnBackup(const QByteArray &name, qint64 maxSize, QByteArray &contents, struct stat &info)
{
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    return file.isOpen() && ::fstat(file.get(), &info) == 0 && isOwnBackup(info) && info.st_size <= maxSize
        && readOpenFile(file.get(), info.st_size, maxSize, contents).ok();
}

bool opensAsMeant(const DiskFile::Opens &opens, QByteArrayView contents)
{
    return !opens || opens(contents);
}

// Where a new backup of `owner` goes: a free place, or one holding `previous` already, or
// else the place of this user's oldest backup, which goes first. The newest backup that
// opens stays, and where `previous` does not open, every backup that does: after saves
// killed in a row, the last good contents are still there. Empty when no place may take
// it; `needless` then tells that `previous` does not open and a backup that does is kept.
QByteArray backupPlace(const QByteArray &owner, const QByteArray &previous, const DiskFile::Opens &opens,
                       qint64 maxSize, bool &needless)
{
    struct Held
    {
        QByteArray name;
        qint64 writtenNs;
        bool opens;
    };
    std::vector<Held> held;
    for (int slot = 0; slot < DiskFile::maxBackups; ++slot) {
        const QByteArray name = backupName(owner, slot);
        struct stat info;
        QByteArray contents;
        if (::lstat(name.constData(), &info) != 0)
            return name;
        if (!isOwnBackup(info))
            continue;
        const bool read = readOwnBackup(name, maxSize, contents, info);
        if (read && contents == previous)
            return name;
        held.push_back({ name, nanoseconds(info.st_mtim), read && opensAsMeant(opens, contents) });
    }
    const auto newer = [](const Held &a, const Held &b) { return a.writtenNs > b.writtenNs; };
    std::sort(held.begin(), held.end(), newer);
    const auto newestOpening = std::find_if(held.begin(), held.end(), [](const Held &backup) { return backup.opens; });
    const Held *kept = newestOpening != held.end() ? &*newestOpening : nullptr;
    needless = !opensAsMeant(opens, previous) && kept;
    if (needless)
        return {};
    for (auto backup = held.rbegin(); backup != held.rend(); ++backup) {
        if (&*backup != kept)
            return backup->name;
    }
    return {};
}

// Whether one of the places where a save of `owner` puts its backup holds one of this user's.
bool hasOwnBackup(const QByteArray &owner)
{
    for (int slot = 0; slot < DiskFile::maxBackups; ++slot) {
        struct stat info;
        if (::lstat(backupName(owner, slot).constData(), &info) == 0 && isOwnBackup(info))
            return true;
    }
    return false;
}

// A backup beside one name of a file is found from its names in other folders through a
// note in the private folder: a symbolic link to that name, named by the file's device and
// inode and a hash of the name, ".DEVICE-INODE.kalvio-place-HASH".
const QByteArray placeWord = ".kalvio-place-";

QByteArray placeNoteName(const QByteArray &name, const struct stat &file)
{
    return '.' + inodeTag(file).mid(1) + placeWord
            + QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16);
}

// Notes where the backups of `name` lie, for its hard links in other folders. A note that
// cannot be made costs only that: the backup is still found from its own folder.
void notePlace(const QByteArray &name, const struct stat &file)
{
    const QByteArray folder = privateFolder();
    if (folder.isEmpty() || file.st_nlink < 2)
        return;
    makePrivateFolder(folder);
    const QByteArray note = folder + '/' + placeNoteName(name, file);
    if (::symlink(name.constData(), note.constData()) == 0)
        syncFolder(note);
}

// The names that the notes of this user give for `file`, whose folders hold its backups.
// A note goes once it points at nothing: its name no longer leads to the file it was made
// for, or no backup of this user is left beside it.
QList<QByteArray> notedPlaces(const struct stat *file)
{
    QList<QByteArray> names;
    const QByteArray folder = privateFolder();
    DIR *listing = folder.isEmpty() ? nullptr : ::opendir(folder.constData());
    if (!listing)
        return names;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray note = folder + '/' + entry->d_name;
        struct stat info, named;
        QByteArray name(PATH_MAX, '\0');
        const ssize_t size = QByteArrayView(entry->d_name).contains(placeWord) && ::lstat(note.constData(), &info) == 0
                        && S_ISLNK(info.st_mode) && info.st_uid == ::geteuid()
                ? ::readlink(note.constData(), name.data(), size_t(name.size()))
                : -1;
        if (size < 0)
            continue;
        name.truncate(size);
        if (::stat(name.constData(), &named) != 0 || placeNoteName(name, named) != entry->d_name || !hasOwnBackup(name))
            ::unlink(note.constData());
        else if (file && named.st_dev == file->st_dev && named.st_ino == file->st_ino)
            names << name;
    }
    ::closedir(listing);
    return names;
}

// Writes `previous` to the first folder that takes a backup of `name`, complete and synced
// before it gets its name, so that a backup is never a part. Backups of interrupted saves
// that the user may not have seen yet are kept. Returns the backup's name, empty where
// `previous` does not open and a backup that does is kept instead, or nothing with errno
// set, and `noPlace` set where no folder took a file at all.
std::optional<QByteArray> writeBackup(const QByteArray &name, const struct stat &file, const QByteArray &previous,
                                      const DiskFile::Opens &opens, qint64 maxSize, bool &noPlace)
{
    int error = EEXIST;
    noPlace = true;
    for (const QByteArray &owner : backupOwners(name, file)) {
        if (owner != name)
            makePrivateFolder(folderOf(owner));
        bool needless = false;
        const QByteArray backup = backupPlace(owner, previous, opens, maxSize, needless);
        if (needless) {
            noPlace = false;
            return QByteArray();
        }
        if (backup.isEmpty())
            continue;
        removeStaleTemporaries(owner);
        QByteArray temporaryName;
        const Descriptor temporary(makeTemporary(owner, temporaryName));
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
            if (owner == name)
                notePlace(name, file);
            return backup;
        }
        ::unlink(temporaryName.constData());
    }
    errno = error;
    return std::nullopt;
}

// The backups beside `owner` or in its folder that belong to `file`: by name, or by
// another name of the file, or, in the private folder, by the device and inode in the name.
QList<QByteArray> backupsOf(const QByteArray &owner, const struct stat &file, bool isPrivate)
{
    QList<QByteArray> found;
    for (int slot = 0; slot < DiskFile::maxBackups; ++slot)
        found << backupName(owner, slot);
    const QByteArray folder = folderOf(owner), tag = inodeTag(file);
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return found;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray entryName(entry->d_name);
        const qsizetype end = entryName.lastIndexOf(backupWord);
        const QByteArray slot = entryName.mid(end + backupWord.size());
        if (!entryName.startsWith('.') || end < 2 || !(slot.isEmpty() || (slot.startsWith('-') && slot.mid(1).toInt() > 1)))
            continue;
        const QByteArray ownerName = entryName.mid(1, end - 1);
        struct stat info;
        if (isPrivate ? ownerName.endsWith(tag)
                                : ::stat((folder + '/' + ownerName).constData(), &info) == 0
                        && info.st_dev == file.st_dev && info.st_ino == file.st_ino)
            found << folder + '/' + entryName;
    }
    ::closedir(listing);
    return found;
}

// The folders where a backup of `name` was looked for in vain.
FileResult noBackupPlace(const QByteArray &name, const struct stat &file)
{
    QStringList folders;
    for (const QByteArray &owner : backupOwners(name, file))
        folders << QDir::toNativeSeparators(QFile::decodeName(folderOf(owner)));
    FileResult result = failure(FileResult::NoBackupPlace);
    result.reason = folders.join(QStringLiteral(", "));
    return result;
}

// Overwrites the file where it is. Its previous contents go to a backup on disk first, for
// a save that is killed, and are held in memory until the new ones are completely written
// and synced; any failure puts them back. Space is reserved before anything is
// overwritten, so a full disk fails before the first byte changes.
FileResult overwriteInPlace(const QByteArray &name, int existing, const QByteArray &contents,
                            const DiskFile::WriteConditions &conditions)
{
    QByteArray previous;
    Descriptor reader;
    struct stat info;
    FileResult read = openRegularFile(name, O_RDONLY | O_NOFOLLOW, reader, info);
    if (read.ok() && info.st_size > conditions.maxPreviousSize)
        read = failure(FileResult::TooLarge);
    if (read.ok())
        read = readOpenFile(reader.get(), info.st_size, conditions.maxPreviousSize, previous);
    if (!read.ok())
        return read;
    bool noPlace = false;
    const std::optional<QByteArray> backup =
            writeBackup(name, info, previous, conditions.opens, conditions.maxPreviousSize, noPlace);
    if (!backup && noPlace)
        return noBackupPlace(name, info);
    if (!backup)
        return failure(FileResult::WriteFailed, errno);
    const auto dropBackup = [&backup] {
        if (!backup->isEmpty()) {
            ::unlink(backup->constData());
            notedPlaces(nullptr);
        }
    };
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
        dropBackup();
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
        dropBackup();
    return failure(restored ? FileResult::WriteFailed : FileResult::RestoreFailed, error);
}

// Opens the side lock file of `name`, which must be a regular file of this user; whatever
// else stands at its name is never followed nor waited for.
FileResult openSideLock(const QByteArray &name, Descriptor &lock)
{
    const QByteArray lockName = sideName(name, "lock");
    lock.reset(::open(lockName.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
    const int error = errno;
    struct stat info;
    FileResult result;
    if (lock.isOpen() ? ::fstat(lock.get(), &info) != 0 || !isOwn(info) : ::lstat(lockName.constData(), &info) == 0)
        result = failure(S_ISLNK(info.st_mode) && !lock.isOpen() ? FileResult::LockFileIsLink : FileResult::LockFileNotOwn);
    else if (!lock.isOpen())
        result = failure(FileResult::NoLockFile, error);
    result.path = QFile::decodeName(lockName);
    return result;
}

// Takes the advisory lock of the open file `file`, which other saves of this program take
// too, polling `attempts` times over about 20 ms each. Where the file system cannot lock files, a hidden
// side file beside it is locked instead, held open in `sideLock`.
FileResult lockForWriting(int file, const QByteArray &name, Descriptor &sideLock, int attempts)
{
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int lockable = file;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(20);
        if (lockable == file && ::fcntl(file, F_OFD_SETLK, &whole) == 0)
            return {};
        if (lockable == file && errno != EAGAIN && errno != EACCES && errno != EINTR) {
            if (FileResult opened = openSideLock(name, sideLock); !opened.ok())
                return opened;
            lockable = sideLock.get();
        }
        if (lockable != file && ::flock(lockable, LOCK_EX | LOCK_NB) == 0)
            return {};
    }
    return failure(FileResult::Locked);
}

// Opens the existing regular file `name` for writing and takes its lock. A file that
// another save replaced while this one waited is opened again, so that the lock held is
// that of the file the path names.
FileResult openLocked(const QByteArray &name, Descriptor &file, struct stat &info, Descriptor &sideLock,
                      int lockAttempts)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (const FileResult opened = openRegularFile(name, O_WRONLY | O_NOFOLLOW, file, info); !opened.ok())
            return opened;
        if (const FileResult locked = lockForWriting(file.get(), name, sideLock, lockAttempts); !locked.ok())
            return locked;
        struct stat now;
        if (::stat(name.constData(), &now) == 0 && now.st_dev == info.st_dev && now.st_ino == info.st_ino)
            return ::fstat(file.get(), &info) == 0 ? FileResult() : failure(FileResult::CannotOpen, errno);
    }
    return failure(FileResult::Locked);
}

// `path` made absolute as the kernel takes it: "." and ".." stay for the walk, since ".."
// after a link leaves the folder the link leads to, not the link's own.
QByteArray absoluteName(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return name.startsWith('/') ? name : QFile::encodeName(QDir::currentPath()) + '/' + name;
}

bool othersMayWrite(const struct stat &folder)
{
    return folder.st_mode & (S_IWGRP | S_IWOTH);
}

enum class Links { Trusted, All };

// Where the absolute `name` leads, its symbolic links followed as the kernel follows them.
// With Links::Trusted, a link in a folder that others may write is followed only where it
// is this user's or the folder owner's, a stricter rule than the kernel's protection of
// sticky folders: in a shared group folder, another member could otherwise point a save
// at any file of this user. The first name that does not exist ends the walk, with the
// rest of the path after it.
FileResult resolveLinks(const QByteArray &name, QByteArray &resolved, Links links = Links::Trusted)
{
    QByteArrayList pending = name.split('/');
    std::reverse(pending.begin(), pending.end());
    resolved.clear();
    for (int followed = 0; !pending.isEmpty();) {
        const QByteArray part = pending.takeLast();
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            resolved.truncate(std::max<qsizetype>(0, resolved.lastIndexOf('/')));
            continue;
        }
        const QByteArray next = resolved + '/' + part;
        struct stat link, folder;
        if (::lstat(next.constData(), &link) != 0) {
            std::reverse(pending.begin(), pending.end());
            resolved = pending.isEmpty() ? next : next + '/' + pending.join('/');
            return {};
        }
        resolved = next;
        if (!S_ISLNK(link.st_mode))
            continue;
        resolved.truncate(next.lastIndexOf('/'));
        if (++followed > 40)
            return failure(FileResult::CannotOpen, ELOOP);
        if (links == Links::Trusted && ::stat(resolved.isEmpty() ? "/" : resolved.constData(), &folder) == 0
            && othersMayWrite(folder) && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid)
            return failure(FileResult::UntrustedLink);
        QByteArray target(PATH_MAX, '\0');
        const ssize_t size = ::readlink(next.constData(), target.data(), size_t(target.size()));
        if (size < 0)
            return failure(FileResult::CannotOpen, errno);
        target.truncate(size);
        if (target.startsWith('/'))
            resolved.clear();
        const QByteArrayList parts = target.split('/');
        std::copy(parts.crbegin(), parts.crend(), std::back_inserter(pending));
    }
    if (resolved.isEmpty())
        resolved = "/";
    return {};
}

// Writes `contents` as a new file `name`, made as any new file is made (the user's umask,
// the folder's group). It is written whole and synced under a temporary name first and
// then takes its name, so that a kill leaves either no file or all of it. Without
// `replace`, a name that something took meanwhile is left alone: CannotOpen.
FileResult createWhole(const QByteArray &name, const QByteArray &contents, bool replace, FileStamp *stamp)
{
    removeStaleTemporaries(name);
    QByteArray temporaryName;
    const Descriptor temporary(makeTemporary(name, temporaryName));
    if (!temporary.isOpen())
        return failure(FileResult::CannotOpen, errno);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    int error = ::fchmod(temporary.get(), 0666 & ~mask) == 0 ? writeAllAndSync(temporary.get(), contents) : errno;
    if (!error && ::renameat2(AT_FDCWD, temporaryName.constData(), AT_FDCWD, name.constData(),
                              replace ? 0 : RENAME_NOREPLACE) != 0)
        error = errno;
    // A file system that cannot rename without replacing can still link a new name.
    if (error == EINVAL && !replace) {
        error = ::link(temporaryName.constData(), name.constData()) == 0 ? 0 : errno;
        ::unlink(temporaryName.constData());
    } else if (error) {
        ::unlink(temporaryName.constData());
    }
    if (error)
        return failure(error == EEXIST ? FileResult::CannotOpen : FileResult::WriteFailed, error);
    syncFolder(name);
    if (stamp)
        *stamp = FileStamp::of(temporary.get(), contents);
    return {};
}

// Whether the name that `path` gives, once a regular file, is now another user's link.
bool swappedForLink(const QString &path)
{
    struct stat info;
    return ::lstat(absoluteName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode) && info.st_uid != ::geteuid();
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

QByteArray DiskFile::sideName(const QByteArray &name, const QByteArray &word)
{
    return ::sideName(name, word);
}

QString DiskFile::reachedPath(const QString &path)
{
    QByteArray name;
    return resolveLinks(absoluteName(path), name, Links::All).ok() ? QFile::decodeName(name) : path;
}

FileResult DiskFile::write(const QString &path, const QByteArray &contents, FileStamp *stamp,
                           const WriteConditions &conditions)
{
    if (conditions.knownAsFile && swappedForLink(path))
        return failure(FileResult::UntrustedLink);
    // Symbolic links are followed: the file they lead to is the one written.
    QByteArray name;
    if (const FileResult resolved = resolveLinks(absoluteName(path), name); !resolved.ok())
        return resolved;
    struct stat present;
    if (::lstat(name.constData(), &present) != 0)
        return errno == ENOENT ? createWhole(name, contents, false, stamp) : failure(FileResult::CannotOpen, errno);

    // Opening for writing refuses exactly what a plain write would: a read-only file, a
    // read-only file system.
    Descriptor existing, sideLock;
    struct stat target;
    if (const FileResult opened = openLocked(name, existing, target, sideLock, conditions.waitForLock ? 100 : 1);
        !opened.ok())
        return opened;
    if (conditions.unchangedSince && conditions.unchangedSince->changedOnDisk(path))
        return failure(FileResult::ChangedOnDisk);
    removeStaleTemporaries(name);
    if (const std::optional<FileResult> result =
                replaceByRename(name, existing.get(), target, contents, stamp))
        return *result;
    const FileResult result = overwriteInPlace(name, existing.get(), contents, conditions);
    if (result.ok() && stamp)
        *stamp = FileStamp::of(existing.get(), contents);
    return result;
}

FileResult DiskFile::checkWritable(const QString &path)
{
    QByteArray name;
    if (const FileResult resolved = resolveLinks(absoluteName(path), name); !resolved.ok())
        return resolved;
    struct stat present;
    return ::lstat(name.constData(), &present) == 0 && !S_ISREG(present.st_mode) ? failure(FileResult::NotRegularFile)
                                                                                 : FileResult();
}

FileResult DiskFile::writeNew(const QString &path, const QByteArray &contents, bool replace)
{
    const QByteArray name = absoluteName(path);
    QByteArray folder;
    if (const FileResult resolved = resolveLinks(folderOf(name), folder); !resolved.ok())
        return resolved;
    return createWhole(folder + '/' + baseOf(name), contents, replace, nullptr);
}

bool DiskFile::nameTaken(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

DiskFile::InterruptedWrite DiskFile::interruptedWrite(const QString &path, qint64 maxSize, const Opens &opens)
{
    // Backups lie beside the file that the path's links lead to, as the write left them.
    QByteArray name;
    struct stat file;
    if (!resolveLinks(absoluteName(path), name).ok() || ::stat(name.constData(), &file) != 0)
        return {};
    QByteArray present;
    const bool readable = read(path, maxSize, present).ok();
    std::vector<std::tuple<qint64, QByteArray, bool>> found;
    // Beside this name, in the private folder, and beside the names where notes say a save
    // of another name of the file left its backups.
    const QList<QByteArray> noted = notedPlaces(&file);
    for (const QByteArray &owner : backupOwners(name, file) + noted) {
        for (const QByteArray &backup : backupsOf(owner, file, owner != name && !noted.contains(owner))) {
            QByteArray saved;
            struct stat info;
            if (std::none_of(found.begin(), found.end(), [&backup](const auto &seen) { return std::get<1>(seen) == backup; })
                && readOwnBackup(backup, maxSize, saved, info) && (!readable || saved != present))
                found.emplace_back(nanoseconds(info.st_mtim), backup, opensAsMeant(opens, saved));
        }
    }
    std::sort(found.rbegin(), found.rend());
    InterruptedWrite interrupted;
    for (const auto &[ns, backup, opensAsBackup] : found) {
        if (interrupted.backup.isEmpty() && opensAsBackup) {
            interrupted.backup = QFile::decodeName(backup);
            interrupted.backupTime = QDateTime::fromMSecsSinceEpoch(ns / 1'000'000);
        } else {
            interrupted.older << QFile::decodeName(backup);
        }
    }
    interrupted.fileTime = QDateTime::fromMSecsSinceEpoch(nanoseconds(file.st_mtim) / 1'000'000);
    return interrupted;
}
