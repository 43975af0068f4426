#pragma once

#include <QChar>
#include <QStringView>

// Reads a price or a stock as a person types it, pastes it from a spreadsheet or a supplier
// writes it into a file: "1 049,00 €", "EUR 59.90", "$1,049.00", "12'500", "7". The list,
// its paste and fill, the change dialogs and the import all read numbers here, and take
// what a catalogue file holds: a price from 0 to 99,999,999.99 with at most two decimals,
// a stock from 0 to 2,147,483,647.
namespace TypedValue {

enum Kind { Price, Stock };

enum Outcome {
    Read,
    Empty,           // nothing but white space
    NotANumber,      // letters, misplaced separators, several currencies...
    Negative,
    TooManyDecimals, // a price with more than two decimals
    NotWhole,        // a stock with decimals
    TooLarge,        // past the most a file holds
};

struct Reading
{
    Outcome outcome = Empty;
    // The number written, also where it is refused for its sign, decimals or size.
    double value = 0;
    // Its decimals, without the zeros that end them: 3 for "12.3450".
    int decimals = 0;

    bool read() const { return outcome == Read; }
};

constexpr double maxPrice = 99999999.99;
constexpr unsigned int maxStock = 2147483647;

// `text` read as a value of `kind`. Thousands may be grouped by spaces (also no-break and
// narrow no-break ones), apostrophes, or the one of "." and "," that is not the decimal
// mark; a currency sign or three-letter code may stand before or after. Where a lone "."
// or "," before three digits could be either, `decimalMark` (the interface language's)
// decides: "1,049" is 1049 to an English reader, 1.049 to a French one.
Reading read(QStringView text, Kind kind, QChar decimalMark);

} // namespace TypedValue
