#pragma once

#include "cataloguemerge.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <thread>

class SetOfFurnitures;

// The version of a catalogue file that the conflict copies a sync service leaves beside it
// are merged against: the version this computer last had in common with the others, as
// near as it can tell. That is the file as last read here while no copy waited beside it,
// kept across runs (KeptBase). Not the file as last written here, which may never have
// reached the others: against it, a copy made from an older version would undo this
// computer's saves unseen. A file read while a copy waits holds one side of the conflict
// already, and so does a backup or a recovery copy opened in its place: the base kept
// before stays.
class SyncBase
{
public:
    SyncBase() = default;
    SyncBase(const SyncBase &) = delete;
    SyncBase &operator=(const SyncBase &) = delete;
    ~SyncBase();

    // `file` was just opened into `catalogue`, whose elements from `from` on it holds, as
    // `asRead` keeps them; null where they were read from elsewhere in the file's place (a
    // backup, a recovery copy), so that they are this computer's changes to the kept base.
    void fileRead(const QString &file, const SetOfFurnitures &catalogue, std::size_t from,
                  std::shared_ptr<const CatalogueBase> asRead);
    // The catalogue belongs to no file.
    void forget();
    // The base of a merge into `ours`: the one known, else one that leaves every difference
    // to the user.
    std::shared_ptr<const CatalogueBase> forMerge(const SetOfFurnitures &ours) const;
    // Returns once the base of the file last read is kept (or found changed and left).
    // A save of the file waits for it: the keeper would take the save for a change by
    // another desk and keep nothing.
    void waitForKeeper();

private:
    std::shared_ptr<const CatalogueBase> known;
    // Writes the kept base off the caller's thread.
    std::thread keeper;
};
