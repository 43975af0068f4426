#pragma once

#include "furniture.h"
#include "unkeptvalues.h"

#include <QByteArrayView>

#include <optional>
#include <vector>

// Reads a catalogue file written plainly, as Save writes it: members at most once and of
// their type, no other key, no category without elements or name, texts in valid UTF-8,
// prices and stocks as numbers the records hold as they stand. It reads the bytes straight
// into records, in one pass and without a parsed document in between, which more than
// halves the time and the peak of opening a large catalogue. Any other file is left to the
// general reader, which parses the document and tells what a Save would write otherwise;
// for a plain file both give the same records, and tell alike of the members it lacks.
namespace PlainCatalogue {

// The elements the file holds, owned by the caller, and into `missing` the members they
// lack; nothing where it is not plain.
std::optional<std::vector<Furniture *>> read(QByteArrayView bytes, UnkeptValues &missing);

} // namespace PlainCatalogue
