#pragma once

#include "diskfile.h"
#include "furniture.h"
#include "unkeptvalues.h"

#include <QHash>
#include <QString>

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
    // Writes the whole catalogue as indented JSON. On failure the previous file is kept.
    FileResult save(const QString &path);
    // Whether someone else changed the file since this catalogue last loaded or saved it.
    bool changedOnDisk(const QString &path) const;

    // Opening a catalogue takes about three times its size in memory at its peak (see the
    // benchmark); larger files are refused before anything is read.
    static constexpr qint64 maxFileSize = qint64(256) << 20;

private:
    std::vector<Furniture *> furnitures;
    // The files this catalogue read or wrote, by absolute path.
    QHash<QString, FileStamp> knownFiles;
};

std::ostream &operator<<(std::ostream &out, SetOfFurnitures &set);
