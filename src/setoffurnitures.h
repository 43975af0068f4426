#pragma once

#include "furniture.h"

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

    // Appends the elements of a catalogue file. Returns false, adding nothing, when
    // the file cannot be opened or does not hold a JSON array.
    bool load(const QString &path);
    // Writes the whole catalogue as indented JSON. A failed write leaves the previous
    // file untouched.
    void save(const QString &path) const;

private:
    std::vector<Furniture *> furnitures;
};

std::ostream &operator<<(std::ostream &out, SetOfFurnitures &set);
