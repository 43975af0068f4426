#pragma once

#include "setoffurnitures.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The catalogue file as this catalogue last read or wrote it: a copy of its records,
// without the file's text. The variants keep their serial numbers, by which the catalogue
// in memory is told apart from what it was.
using CatalogueBase = std::vector<Furniture>;

// One field that both sides changed to different values, or a variant one side deleted
// and the other changed.
struct MergeConflict
{
    enum Field { Category, Name, Description, Designer, Measures, Photo, Color, Price, Stock, Variant };
    // The variant's identifier; for an element's own fields, that of its first variant.
    std::string id;
    Field field = Variant;
    // Each side's value as the editor shows it. With Variant, the side that deleted the
    // variant has none.
    QString theirs, ours;
    bool deletedByOurs = false;
    // The decision: our value (or deletion), or theirs.
    bool keepOurs = true;
};

// The merged catalogue, with the identifiers that our new furniture gave up because the
// other side added furniture under them.
struct MergedCatalogue
{
    std::vector<std::unique_ptr<Furniture>> elements;
    // "old new" pairs.
    std::vector<std::pair<std::string, std::string>> renumbered;
};

// A three-way merge of two catalogues that each changed from a common base: "theirs", read
// from the file, and "ours", in memory. Variants of theirs are matched to the base by
// identifier: the base's variant after the last one matched where it has that identifier,
// else its first one of that identifier not yet matched. Ours are matched the same way by
// their serial numbers, which the history's steps keep. An element's own fields are
// merged through the elements that hold matched variants. A change on one side is taken,
// the same change on both is taken once, different changes are conflicts, decided through
// conflicts() before result() is asked for.
class CatalogueMerge
{
public:
    CatalogueMerge(const CatalogueBase &base, const SetOfFurnitures &theirs, const SetOfFurnitures &ours);
    ~CatalogueMerge();

    // The base `kept`, read from a file of its own, as a base of the catalogue that holds
    // `read`, the elements read from the file since: each of its variants takes the serial
    // number of the first variant of `read` with its identifier not yet taken.
    static CatalogueBase alignedBase(const std::vector<Furniture *> &kept, const std::vector<Furniture *> &read);
    // Where no base is known: a base of which every value differs from both sides, so that
    // every field they hold differently is a conflict, and so is every variant that only
    // ours holds; a variant that only theirs holds is added.
    static CatalogueBase unknownBase(const SetOfFurnitures &ours);

    std::vector<MergeConflict> &conflicts() { return found; }
    const std::vector<MergeConflict> &conflicts() const { return found; }
    // The changes of theirs that the result takes without a conflict: fields, variants
    // added or deleted.
    std::size_t takenFromTheirs() const { return taken; }
    // The merged catalogue as the conflicts are now decided. Variants that ours holds keep
    // their serial numbers, so that editors open on them find them again.
    MergedCatalogue result() const;

private:
    struct Element;
    struct Variant;
    struct OursOnly;
    void matchOurs();
    void matchTheirs();
    template<typename Conflict>
    int pick(bool oursChanged, bool theirsChanged, bool sidesAgree, const Conflict &conflict);
    bool takesOurs(int choice) const;
    void mergeElement(std::size_t theirsElement, std::size_t firstMatched);
    void collectOursOnly();

    const CatalogueBase &base;
    const std::vector<Furniture *> theirs, ours;
    std::vector<Element> elements;
    std::vector<Variant> variants;
    std::vector<OursOnly> oursOnly;
    std::vector<MergeConflict> found;
    std::size_t taken = 0;
    // For each variant of the base, in order: its element, and where theirs and ours hold it.
    struct BasePlace;
    std::vector<BasePlace> places;
};
