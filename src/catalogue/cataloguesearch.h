#pragma once

#include "setoffurnitures.h"

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

// An element of the catalogue with the places, in its list of variants, of those of its
// variants that are to be shown.
struct ShownElement
{
    Furniture *element;
    std::vector<std::size_t> variants;
};

// Every element of the catalogue with all its variants, elements without variants included.
std::vector<ShownElement> wholeCatalogue(const SetOfFurnitures &catalogue);

// Finds variants by words, ignoring case and accents. A variant matches when every word
// of the query occurs in one of its own texts (identifier, colour, photo, price and stock as
// the editor shows them) or of its element's (category, name, description, designer). A word
// of digits and points only matches an identifier from its first group on.
//
// The texts are folded once, when the search is made, so it answers for the catalogue as it
// was then: a change of the catalogue calls for a new search.
class CatalogueSearch
{
public:
    explicit CatalogueSearch(const SetOfFurnitures &catalogue);

    // The matching variants, under their elements in catalogue order; elements with none
    // are left out. A query without words matches every variant.
    std::vector<ShownElement> find(const QString &query) const;
    std::size_t variantCount() const { return variants; }
    // The memory the folded texts and their bounds take.
    std::size_t memoryBytes() const;

    // Lower case without accents, ligatures or width forms: "Chêne" and "CHENE" are "chene".
    static QString folded(const QString &text);

private:
    struct IndexedElement
    {
        Furniture *element;
        // The element's own texts are the record `record`, those of its `variants` variants
        // the records after it.
        std::size_t record;
        std::size_t variants;
    };

    void appendFolded(const std::string &text);
    void endRecord();
    std::vector<char> recordsHolding(const std::string &word) const;
    bool isVariantRecord(std::size_t record) const;

    std::vector<IndexedElement> elements;
    std::size_t variants = 0;
    // The folded texts as UTF-8, a record after the other.
    std::string texts;
    // Where each record starts in `texts`, and the end of the last one.
    std::vector<std::size_t> recordStarts { 0 };
};
