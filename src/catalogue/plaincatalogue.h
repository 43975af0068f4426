#pragma once

#include "furniture.h"
#include "unkeptvalues.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

// Reads a catalogue file written plainly, as Save writes it: members at most once and of
// their type, no other key, no category without elements or name, texts in valid UTF-8,
// prices and stocks as numbers the records hold as they stand. It reads the bytes straight
// into records, in one pass and without a parsed document in between, which more than
// halves the time and the peak of opening a large catalogue. From the first entry that is
// not plain on, the file is left to the general reader, which parses the document and tells
// what a Save would write otherwise; of plain entries both make the same records, and tell
// alike of the members they lack. A file holding numbers that a Save writes as others, or
// what JSON lacks but the toolkit's parser takes, is left whole to the general reader by
// Open, whose pass over the bytes before tells of them.
namespace PlainCatalogue {

// What the plain reader made of a file: the records of its entries up to the first that is
// not plain, and the members they lack. The general reader reads the rest.
struct Reading
{
    std::vector<std::unique_ptr<Furniture>> furnitures;
    qsizetype entries = 0; // read whole, from the first
    bool whole = false; // every entry, and nothing after the list
    UnkeptValues missing;
};

Reading read(QByteArrayView bytes);

} // namespace PlainCatalogue
