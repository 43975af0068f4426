#pragma once

#include <QByteArrayView>

#include <limits>
#include <vector>

class UnkeptBytesCheck;

// What one element and one variant take in the catalogue's records, besides their texts.
struct RecordSizes
{
    qint64 element;
    qint64 variant;
};

// What opening a catalogue file builds, counted in one pass over its bytes before they
// are parsed. The parser keeps every value and member name in 16 bytes (24 with its
// lists' spare room; the largest list, its texts and this check's list of its keys take
// 64 more each while they grow, as a list growing into room that an earlier catalogue
// freed leaves each smaller copy of itself in memory) plus its text, and every object or
// array that holds anything in about 190 bytes more (measured by the benchmark's worst
// files, opened one after another); the records then hold one Furniture for each value of
// a category's "elements", one Form for each value of an element's "specificite", their
// texts, and the category's name once in every element.
// A name written with escapes may be any name, so it counts as each of these. Showing them
// takes a row of the tree for each category, element and variant.
class OpeningCount
{
public:
    explicit OpeningCount(RecordSizes records) : records(records) {}

    // Tells `check`, where given, of every object and text on the way. Stops once what
    // opening takes passes `limit`, so that a file refused costs no more than its bytes.
    void scan(QByteArrayView bytes, UnkeptBytesCheck *check = nullptr,
              qint64 limit = std::numeric_limits<qint64>::max());
    // The most memory that opening a file of this size and these counts takes.
    qint64 bytes(qint64 fileSize) const;

private:
    enum Role : quint8 { Other, Entries, Entry, Category, Elements, Element, Variants, Variant, Values };
    struct Level
    {
        Role role;
        bool object;
        bool holds = false;
        qint64 count = 0; // values and keys
        qint64 nameSize = 0, elements = 0; // of a category
    };
    void value(char first, qint64 textSize);
    void close();
    bool keyIs(const char *name) const { return keyEscaped || key == name; }

    const RecordSizes records;
    std::vector<Level> levels;
    QByteArrayView key;
    bool keyEscaped = false, expectKey = false, expectValue = true;
    qint64 items = 0, containers = 0, largest = 0, categories = 0, elements = 0, variants = 0, texts = 0, longestText = 0,
           namesCopied = 0;
};
