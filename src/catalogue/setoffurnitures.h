#pragma once

#include "diskfile.h"
#include "furniture.h"
#include "unkeptvalues.h"

#include <QHash>
#include <QString>

#include <optional>
#include <ostream>
#include <vector>

// The catalogue: an ordered list of elements. The set owns its elements, but only
// clear() deletes them; copies share the same elements and destroying a copy (or the
// set itself) deletes nothing.
class SetOfFurnitures
{
public:
    SetOfFurnitures() = default;
    SetOfFurnitures(const SetOfFurnitures &other) = default;
    SetOfFurnitures &operator=(const SetOfFurnitures &other) = default;
    ~SetOfFurnitures() = default;

    void addFurniture(Furniture *furniture);
    std::vector<Furniture *> getFurnitures() const { return furnitures; }
    void setFurnitures(std::vector<Furniture *> furnitures);
    void clear();

    // Appends the elements of a catalogue file. On failure nothing is added.
    FileResult load(const QString &path);
    // The same, and tells what of the file a Save would write differently.
    FileResult load(const QString &path, UnkeptValues &unkept);
    // Whether a save that finds the file locked by another program waits about two seconds
    // for it, or gives up at once; either way it ends with Locked when the lock stays.
    enum class IfLocked { Wait, GiveUp };
    // Writes the whole catalogue as indented JSON. On failure the previous file is kept.
    FileResult save(const QString &path);
    FileResult save(const QString &path, IfLocked ifLocked);
    // As save(), unless someone else changed the file since this catalogue last loaded or
    // saved it: then nothing is written and the outcome is ChangedOnDisk. The check and
    // the write are one step, which a save by another program cannot come between.
    FileResult saveUnlessChanged(const QString &path);
    FileResult saveUnlessChanged(const QString &path, IfLocked ifLocked);
    // As saveUnlessChanged(), but against the file as `reader` last loaded it: a merge
    // writes what it made of the file it read, and nothing if the file changed again since.
    FileResult saveUnlessChangedSince(const QString &path, const SetOfFurnitures &reader, IfLocked ifLocked);
    // The text of a catalogue file holding `elements`, as a save writes it.
    static QByteArray fileText(const std::vector<const Furniture *> &elements);
    // Whether someone else changed the file since this catalogue last loaded or saved it.
    bool changedOnDisk(const QString &path) const;
    // The file as this catalogue last loaded or saved it; nothing for a file it did not.
    std::optional<FileStamp> stampOf(const QString &path) const;

    // Opening a catalogue takes about three times its size in memory at its peak (see the
    // benchmark); larger files are refused before anything is read.
    static constexpr qint64 maxFileSize = qint64(256) << 20;
    // What the file holds bounds the memory of opening it too: a file whose elements,
    // variants and texts would take more (as the benchmark measures) is refused before
    // its records are built.
    static constexpr qint64 maxOpeningMemory = qint64(1536) << 20;
    // Opening takes at least eight bytes for each byte of a text (the file's, two of the
    // parsed document's UTF-16, the record's and four on its way there: OpeningCount), so
    // that no catalogue opened holds a longer text than this.
    static constexpr qint64 maxTextSize = maxOpeningMemory / 8;
    // The memory that opening these bytes of a catalogue file would take at most.
    static qint64 openingMemory(QByteArrayView bytes);
    // Whether a catalogue file holding these bytes opens: what a save killed halfway leaves
    // does not, and its backups are never kept or offered before those that do.
    static bool opens(QByteArrayView bytes);

private:
    FileResult write(const QString &path, const FileStamp *unchangedSince, IfLocked ifLocked);

    std::vector<Furniture *> furnitures;
    // The files this catalogue read or wrote, by absolute path.
    QHash<QString, FileStamp> knownFiles;
};

std::ostream &operator<<(std::ostream &out, SetOfFurnitures &set);
