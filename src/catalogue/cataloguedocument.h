#pragma once

#include "cataloguecommands.h"
#include "cataloguemerge.h"
#include "setoffurnitures.h"
#include "syncbase.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <memory>

// What an Open added to the catalogue.
struct OpenedCounts
{
    std::size_t categories = 0;
    std::size_t elements = 0;
    std::size_t variants = 0;
};

struct OpenOutcome
{
    FileResult result;
    OpenedCounts added;
    // What of the file a Save would write otherwise.
    UnkeptValues unkept;
};

// A merge of the catalogue with its file as it now is on disk.
struct FileMerge
{
    ~FileMerge() { theirs.clear(); }
    // How reading the file ended, as Open reads it; there is a merge only when it was read.
    FileResult read;
    // What of the file the merged catalogue's Save would write otherwise.
    UnkeptValues unkept;
    SetOfFurnitures theirs;
    std::shared_ptr<const CatalogueBase> base;
    std::unique_ptr<CatalogueMerge> merge;
};

// The catalogue being worked on: its history of changes, the file it belongs to and
// whether that file holds it. After every change, whether made through the document or
// straight on its history (a step done, undone or redone, Open, New), it emits changed()
// once; that is how every view learns what to show again.
class CatalogueDocument : public QObject
{
    Q_OBJECT

public:
    explicit CatalogueDocument(SetOfFurnitures &catalogue, QObject *parent = nullptr);

    SetOfFurnitures &catalogue() const { return set; }
    QUndoStack &history() { return steps; }
    // The file that save() writes to; empty while there is none.
    QString jsonPath() const { return path; }
    // Whether the catalogue holds changes that jsonPath() (or, without one, no file) holds not.
    bool isModified() const;
    // Opened read-only, as someone else has it open: the views take no edits, and only a
    // Save as into another file makes it writable again.
    bool isReadOnly() const { return readOnly; }
    void setReadOnly(bool readOnly);

    // Does `step` and keeps it in the history.
    void push(CatalogueStep *step);

    // Adds the furniture of the file `source` to the catalogue, which then belongs to the
    // file `file` (the same, or a backup read in its place) with a new history. A catalogue
    // that was not empty, or a backup, leaves it modified. On failure nothing changes.
    OpenOutcome open(const QString &file, const QString &source);
    // Reads jsonPath() anew in place of the catalogue, with a new history, as Open would;
    // on failure nothing changes.
    OpenOutcome reload();
    // Empties the catalogue, which then belongs to no file, with a new history.
    void clear();

    // Whether a save that finds the file locked by another program waits for it a while.
    using IfLocked = SetOfFurnitures::IfLocked;
    // Writes the catalogue into jsonPath(), unless someone else changed that file since
    // it was read or written here (ChangedOnDisk: nothing written).
    FileResult save(IfLocked ifLocked = IfLocked::Wait);
    // Writes the catalogue into `file`. Written into jsonPath(), or while there is none,
    // the catalogue is no longer modified.
    FileResult saveAs(const QString &file, IfLocked ifLocked = IfLocked::Wait);

    // Reads jsonPath() as Open reads it and merges it with the catalogue, against the file
    // as this catalogue last read or wrote it. Nothing changes until replaceWithMerge().
    std::unique_ptr<FileMerge> mergeWithFile() const;
    // The same with a sync service's conflict copy of the file, against the version of the
    // file that SyncBase keeps.
    std::unique_ptr<FileMerge> mergeWith(const QString &file) const;
    // Replaces the catalogue by `merged`, as one step of the history named `text`.
    void replaceWithMerge(std::vector<std::unique_ptr<Furniture>> merged, const QString &text);
    // Writes the catalogue into jsonPath() unless the file changed again since `merge` read
    // it (ChangedOnDisk: nothing written); the check and the write are one step under the
    // file's lock, as any save's.
    FileResult saveUnlessChangedSince(const FileMerge &merge, IfLocked ifLocked = IfLocked::Wait);
    // The file as this catalogue last read or wrote it.
    const CatalogueBase &base() const { return *lastReadOrWritten; }
    // Returns once the work that follows an open on another thread, keeping the file's
    // bytes as the base of conflict copies, is done.
    void finishKeepingBase();

signals:
    void changed(const CatalogueChange &change);
    // isModified() or jsonPath() may be other than before.
    void stateChanged();

private:
    void historyMoved(int index);
    void startHistory();
    void setSaved(bool saved);
    void keepAsBase(std::size_t from);
    std::unique_ptr<FileMerge> merge(const QString &file, std::shared_ptr<const CatalogueBase> base) const;

    SetOfFurnitures &set;
    QUndoStack steps;
    QString path;
    // Changes that are not steps of the history: a file opened into a catalogue that was
    // not empty, or a backup opened in the file's place.
    bool modifiedBesidesHistory = false;
    bool readOnly = false;
    std::shared_ptr<const CatalogueBase> lastReadOrWritten = std::make_shared<const CatalogueBase>();
    SyncBase syncBase;
    // Where the history stood after the last change, to tell which steps the next moved over.
    int index = 0;
};
