#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <limits>

// How reading or writing a file ended. The windows put it into words.
struct FileResult
{
    enum Outcome {
        Done,
        CannotOpen,     // reason: the system's words
        NotRegularFile, // a folder, FIFO, device or socket: never opened
        TooLarge,
        EmptyFile,
        NotJson,        // reason: the parser's words; line and column where it stopped
        NotCatalogue,   // JSON, but not an array of categories
        WriteFailed,    // reason: the system's words; the previous file is unchanged
        RestoreFailed,  // the write failed and the previous contents could not be put back
        TooMuchContent, // opening would take more memory than a catalogue may
        ChangedOnDisk,  // someone else changed the file since it was read: nothing written
        Locked,         // another program held the file locked too long: nothing written
        UntrustedLink,  // a symbolic link of another user in a folder that others may write,
                        // or where a file was: not followed, nothing written
        LockFileIsLink, // path: the side lock file, a symbolic link: nothing written
        LockFileNotOwn, // path: the side lock file, another user's or not a regular file
        NoLockFile,     // path: the side lock file that could not be made; reason: the system's words
        NoBackupPlace,  // an in-place write found no folder to take a backup: nothing written;
                        // reason: the folders tried
    };

    Outcome outcome = Done;
    QString reason;
    QString path;
    qint64 line = 0;
    qint64 column = 0;

    bool ok() const { return outcome == Done; }
};

// What a file was when this program last read or wrote it, to tell whether someone
// else has changed it since. Checking costs a stat(); the contents are read again only
// when the file had changed within the file system's timestamp granularity of the stamp,
// where a later change could leave every timestamp as it was.
class FileStamp
{
public:
    // The stamp of an open file that now holds `contents`.
    static FileStamp of(int descriptor, const QByteArray &contents);

    bool changedOnDisk(const QString &path) const;

private:
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool hashed = false;
    size_t contentHash = 0;
};

// Reading and writing whole regular files. Nothing else (a FIFO, a device, a folder) is
// ever opened, so nothing can block or flood the program.
namespace DiskFile {

// Reads the whole file, refusing one larger than maxSize without reading it.
FileResult read(const QString &path, qint64 maxSize, QByteArray &contents,
                FileStamp *stamp = nullptr);

// The absolute name of the file that the kernel reaches by `path`, its symbolic links
// followed where they stand and ".." taken after them, as opening the path does; a name
// that does not exist yet ends it as it stands. `path` itself where it cannot be followed.
QString reachedPath(const QString &path);

// Whether contents hold what their file is meant to hold, so that a backup of them can be
// opened. Backups of contents that do not are never kept instead of ones that do.
using Opens = std::function<bool(QByteArrayView contents)>;

// What a write checks while it holds the file's lock, before it changes anything.
struct WriteConditions
{
    // The file must still be what this stamp saw, or the write ends with ChangedOnDisk.
    const FileStamp *unchangedSince = nullptr;
    // An in-place write reads the previous contents only up to this size; larger ones end
    // with TooLarge.
    qint64 maxPreviousSize = std::numeric_limits<qint64>::max();
    // Whether a lock that another program holds is waited for, about two seconds, or the
    // write ends with Locked at once.
    bool waitForLock = true;
    // The path named a regular file when this program last read or wrote it: a symbolic
    // link of another user there now is a swap by someone else, never followed.
    bool knownAsFile = false;
    // What backups of an in-place write keep; empty where any contents open.
    Opens opens;
};

// Replaces the file's contents, or creates it. The file keeps its owner, group, mode
// and hard links, and a symbolic link keeps pointing at it. It is replaced by renaming a
// complete new file over it where that keeps all of these, and overwritten in place
// otherwise; on either path a failure leaves the previous contents as they were. A new
// file is written whole under a temporary name and then takes its name, unless something
// took the name meanwhile (CannotOpen), so that a kill leaves no part of it. A
// dangling symbolic link gets the file it names. In a folder that others may write (a
// sticky one or not), only a link of this user or of the folder's owner is followed;
// another ends with UntrustedLink.
//
// Two programs saving the same file take turns: the write holds a lock on the file (or,
// where the file cannot be locked, on a hidden side file beside it, which must be a
// regular file of this user) from the check of `conditions` to the end, and gives up with
// Locked after about two seconds (at once where the conditions say so). New contents are written to a hidden temporary file,
// ".NAME.kalvio-save-XXXXXX", locked while it is written; each save removes those of the
// same file that this user made and no live save holds. An in-place write first puts the
// previous contents into a backup, beside the file or, where the folder is read-only, in
// the user's application data folder, and removes it once the new contents are on disk.
// For a file with hard links, a backup beside it is also noted in that private folder,
// so that its names in other folders find it; the note goes with the last backup.
// A save that is killed leaves it behind; later saves keep it, and up to maxBackups of
// them a folder, the oldest going first, but never the newest that opens nor, for
// contents that do not open, any that does. Side-file names that would pass the file
// system's limit of 255 bytes are shortened and kept apart by a hash. Where neither folder
// takes a backup, nothing is written.
FileResult write(const QString &path, const QByteArray &contents, FileStamp *stamp = nullptr,
                 const WriteConditions &conditions = {});

// Whether write() may write at `path`, as far as can be told without opening anything: a
// link it would not follow ends with UntrustedLink, a FIFO, device or folder there with
// NotRegularFile.
FileResult checkWritable(const QString &path);

// Writes `contents` as a new file named `path`, made as any new file is made, whole or not
// at all. Links among its folders are followed as write() follows them. With
// `replace`, whatever held the name goes, a symbolic link included, which is never written
// through; without it, a name that exists, a dangling link too, ends with CannotOpen.
FileResult writeNew(const QString &path, const QByteArray &contents, bool replace);

// The hidden side file ".NAME.kalvio-WORD" beside the file `name`, in the file system's
// encoding: a name too long for the file system keeps the start of NAME and a hash of it.
QByteArray sideName(const QByteArray &name, const QByteArray &word);

// Whether anything holds the name `path`, a symbolic link that leads nowhere included.
bool nameTaken(const QString &path);

constexpr int maxBackups = 4;

// The backups that interrupted in-place writes of a file left, found whichever of its
// names `path` is, where the file no longer holds what they hold. Only regular files of
// this user that no one else may write count.
struct InterruptedWrite
{
    QString backup; // the newest that opens; empty when there is none
    QDateTime backupTime, fileTime; // when each was last written
    QStringList older; // the other backups, newest first
};
InterruptedWrite interruptedWrite(const QString &path, qint64 maxSize, const Opens &opens = {});

} // namespace DiskFile
