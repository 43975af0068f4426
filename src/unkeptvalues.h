#pragma once

#include <QStringList>

#include <array>

class QByteArray;
class QJsonDocument;

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
        MeasuresAsNumbers,  // saved as empty texts
        BrokenTexts,        // an escaped half of a surrogate pair alone: saved as "?"
        WrongTypes,         // any other member of another type, "key: value"
        UnknownKeys,        // not saved
        EmptyCategories,    // category entries without elements, by name: not saved
        NonObjectEntries,   // dropped at the top level, saved empty below it
        DuplicateKeys,      // only the last of them is kept
        KindCount
    };
    static constexpr int maxExamples = 3;

    struct Finding
    {
        qint64 count = 0;
        QStringList examples;
    };

    void add(Kind kind, const QString &example);
    const Finding &operator[](Kind kind) const { return findings[kind]; }
    bool isEmpty() const;

private:
    std::array<Finding, KindCount> findings;
};

// Checks a parsed catalogue file, and its bytes for what the parsed document no longer
// shows: duplicate keys, and the escapes that made a text.
UnkeptValues findUnkeptValues(const QByteArray &bytes, const QJsonDocument &document);
