#pragma once

#include <QByteArrayView>
#include <QCborMap>
#include <QCborValue>
#include <QStringList>

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// What a Save would write differently from a catalogue file just read: values the records
// cannot hold as they stand, and parts of the file the catalogue does not keep. Each kind
// has a count and the first few examples, as JSON texts ("12.50", 2.5, "sku").
class UnkeptValues
{
public:
    enum Kind {
        PricesAsText,       // saved as 0
        StocksAsText,       // saved as 0
        StocksOutOfRange,   // outside the signed 32-bit range: saved as 0
        StocksWithFraction, // saved as 0
        InexactPrices,      // more digits than a price holds: saved rounded
        InexactStocks,      // more digits than a stock holds, read as a whole number: saved rounded
        MeasuresAsNumbers,  // saved as empty texts
        BrokenTexts,        // an escaped half of a surrogate pair alone: saved as "?"
        WrongTypes,         // any other member of another type, "key: value"
        UnknownKeys,        // not saved
        EmptyCategories,    // category entries without elements, by name: not saved
        NonObjectEntries,   // dropped at the top level, saved empty below it
        DuplicateKeys,      // only the last of them is kept
        MissingMembers,     // saved as empty texts or lists, or as 0
        LeadingByteOrderMarks, // a U+FEFF written as such starting a text: the parser drops it
        UnknownEscapes,     // "\a", "\x00": the parser drops the backslash
        LooseNumbers,       // 1., .5: saved as JSON writes the number
        RawControlCharacters, // a tab or the like written as such in a text: saved escaped
        KindCount
    };
    static constexpr int maxExamples = 3;

    struct Finding
    {
        qint64 count = 0;
        QStringList examples;

        bool operator==(const Finding &other) const { return count == other.count && examples == other.examples; }
    };

    void add(Kind kind, const QString &example);
    const Finding &operator[](Kind kind) const { return findings[kind]; }
    // Whether an example of this kind would still be kept: examples are made only for the
    // first few findings, so that a file of millions makes no more.
    bool wantsExample(Kind kind) const { return findings[kind].count < maxExamples; }
    bool isEmpty() const;

private:
    std::array<Finding, KindCount> findings;
};

// Notes, as the loader reads a parsed catalogue file, every value the records take other
// than it stands. The loader hands over each object with the members it looked up, so that
// the parsed file is walked once.
class UnkeptValuesCheck
{
public:
    // What the catalogue reads a member as.
    enum class Expected { Text, Measure, Price, Stock, Object, Array };
    struct Member
    {
        QLatin1StringView key;
        Expected type;
        const QCborValue &value; // undefined where the object lacks the member
    };

    explicit UnkeptValuesCheck(UnkeptValues &found) : found(found) {}
    // An entry of the file's top level, and its "category".
    void entry(const QCborValue &entry, const QCborValue &category);
    // An entry's "category", and its "name" and "elements".
    void category(const QCborValue &category, const QCborValue &name, const QCborValue &elements);
    // An element or a variant, the value of a list that holds objects, as `object`.
    void listed(const QCborValue &value, const QCborMap &object, std::initializer_list<Member> known);
    // An object within an element or a variant; the members it lacks are told of where
    // `present`, as a Save writes them.
    void members(const QCborMap &object, std::initializer_list<Member> known, bool present = true);

private:
    void check(const Member &member);
    void price(const Member &member);
    void stock(const Member &member);
    void note(UnkeptValues::Kind kind, const QCborValue &example);
    void wrongType(const Member &member);
    void missing(QLatin1StringView key);

    UnkeptValues &found;
};

// Notes what the parsed document no longer shows, as the pass over a catalogue file's bytes
// before parsing meets each object, text and other value: the keys an object repeats, of
// which the document keeps the last, escaped halves of surrogate pairs ("\ud800"), which
// the records' UTF-8 cannot hold, prices and stocks written as numbers that the records
// hold as other numbers, a U+FEFF written as such at the start of a text, which the parser
// drops, and what the parser takes although JSON does not: escapes JSON lacks, numbers
// such as 1. and .5, control characters written as such in a text. Its findings hold only
// for bytes that parse.
class UnkeptBytesCheck
{
public:
    explicit UnkeptBytesCheck(UnkeptValues &found) : found(found) {}
    void objectStarts();
    void objectEnds();
    // A text with its quotes, which stays in memory until the pass ends; `controlled` where
    // it holds a control character written as such.
    void text(QByteArrayView quoted, bool escaped, bool controlled, bool isKey);
    // A value other than a text, an object or an array, as written: a number, true, false or
    // null. `key` is the key it is written under where it is one of a variant's values
    // ("sous-formulaire"), else null.
    void value(QByteArrayView written, QByteArrayView key, bool keyEscaped);

private:
    void tell(UnkeptValues::Kind kind, QByteArrayView written);

    UnkeptValues &found;
    struct Key
    {
        std::string_view text; // as written, without its quotes
        bool escaped;
    };
    std::vector<Key> keys; // of the objects open at this point
    std::vector<std::size_t> openObjects; // where each one's keys begin
};
