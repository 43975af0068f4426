#pragma once

#include "setoffurnitures.h"
#include "typedvalue.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where a variant stands: its element's place in the catalogue and its own place among
// that element's variants.
struct VariantPlace
{
    std::size_t element = 0;
    std::size_t variant = 0;
};

// What the numbering gives new furniture.
struct NewIdentifier
{
    enum Outcome {
        Issued,
        Duplicate, // an element of that category and name holds that colour already
        Exhausted, // the number to issue would be higher than the highest there is
    };
    Outcome outcome = Issued;
    std::string id;
    // The element that the new colour joins; none when the furniture is a new element.
    std::optional<std::size_t> element;
};

// What new furniture is named by: the three texts that tell it apart.
struct NewFurnitureNames
{
    enum Field { Category, Name, Color };
    std::string category, name, color;
};

// A change of prices that the price list applies to many variants at once.
struct PriceChange
{
    enum Kind { Set, Raise, Lower };
    Kind kind = Set;
    // The price to set, or the percentage to raise or lower by.
    double amount = 0;
};

// A change of stocks that the price list applies to many variants at once.
struct StockChange
{
    enum Kind { Set, Add, TakeAway };
    Kind kind = Set;
    unsigned int amount = 0;
};

// The price and the stock of the variant at `place`.
struct VariantValues
{
    VariantPlace place;
    double price = 0;
    unsigned int stock = 0;
};

// New values for variants, and how many a change would have taken below 0 or past the
// most there may be; the change is made only when it took none there.
struct ChangedValues
{
    std::vector<VariantValues> values;
    std::size_t belowZero = 0;
    std::size_t aboveLimit = 0;
    bool refused() const { return belowZero > 0 || aboveLimit > 0; }
};

// How many of a variant, known by its serial number, a stock count found.
struct CountedStock
{
    std::uint64_t serial = 0;
    unsigned int count = 0;
};

// A pasted text that gives no value, and why.
struct RefusedText
{
    // Its place among the places pasted into.
    std::size_t place = 0;
    TypedValue::Kind kind = TypedValue::Price;
    QString text;
    TypedValue::Outcome why = TypedValue::NotANumber;
};

// The values a paste gives variants; it changes them only when it was Taken and refused
// no text.
struct PastedValues
{
    enum Outcome {
        Taken,
        TooManyRows,    // more rows of cells than places to paste them into
        TooManyColumns, // cells past the stock
        Nothing,        // no cell at all
    };
    Outcome outcome = Taken;
    // The variants whose values the paste changes.
    std::vector<VariantValues> values;
    std::vector<RefusedText> refused;
    bool refusedAny() const { return outcome != Taken || !refused.empty(); }
};

// The changes the editors make to a catalogue, each undone by its counterpart: insert by
// take, exchange by exchange again. A place outside the catalogue changes nothing.
namespace CatalogueOperations {

// `names` without the white space around each text.
NewFurnitureNames trimmed(const NewFurnitureNames &names);
// The fields of `names` that hold nothing once surrounding white space is left out, in the
// order of the editor: new furniture needs all three.
std::vector<NewFurnitureNames::Field> emptyFields(const NewFurnitureNames &names);
// The spelling of an existing category that `category` equals once case, accents and
// surrounding white space are ignored, where none is spelt exactly so; none otherwise.
std::optional<std::string> similarCategory(const SetOfFurnitures &set, const std::string &category);
// The same for an element name within the elements of `category`.
std::optional<std::string> similarName(const SetOfFurnitures &set, const std::string &category,
                                       const std::string &name);
// The photo names the variants use, each once, in catalogue order.
std::vector<std::string> photoNames(const SetOfFurnitures &set);

std::optional<VariantPlace> findVariant(const SetOfFurnitures &set, std::uint64_t serial);

// The next free identifier for a variant of `color` of the element `name` of `category`:
// a new category, a new element of a known category, or a new colour of a known element.
// An element of that category and name holding that colour is a duplicate, whatever its
// identifiers look like.
NewIdentifier nextIdentifier(const SetOfFurnitures &set, const std::string &category,
                             const std::string &name, const std::string &color);
// Whether an element may get a second variant of a colour it holds, as when a merge keeps
// the same new furniture that both sides added.
enum class SameColour { Refused, Allowed };
NewIdentifier nextIdentifier(const SetOfFurnitures &set, const std::string &category,
                             const std::string &name, const std::string &color, SameColour sameColour);

// Whether the element at `place` has the own fields of `fields` (all but the variants)
// and its variant at `place` the values of `variant`.
bool holds(const SetOfFurnitures &set, VariantPlace place, const Furniture &fields,
           const Form &variant);
// Exchanges the own fields of the element at `place` with those of `fields`, and its
// variant at `place` with `variant`.
void exchange(SetOfFurnitures &set, VariantPlace place, Furniture &fields, Form &variant);

void insertVariant(SetOfFurnitures &set, VariantPlace place, Form variant);
std::optional<Form> takeVariant(SetOfFurnitures &set, VariantPlace place);
void insertElement(SetOfFurnitures &set, std::size_t place, std::unique_ptr<Furniture> element);
std::unique_ptr<Furniture> takeElement(SetOfFurnitures &set, std::size_t place);

// A file keeps a stock as a signed 32-bit number: a change never makes one larger.
constexpr unsigned int maxStock = TypedValue::maxStock;
// `price` rounded to the cent, half away from zero, as its decimal digits read: 1.005 is
// held as 1.00499999..., and still rounds to 1.01.
double roundedToCent(double price);
// The values of the variants at `places` after the change; variants whose value it leaves
// as it is are left out.
ChangedValues changedPrices(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                            PriceChange change);
ChangedValues changedStocks(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                            StockChange change);

// Text copied from a spreadsheet as rows of cells: lines of cells separated by tabs; a line
// break at the end ends the last row, as spreadsheets copy it.
std::vector<QStringList> pastedCells(const QString &text);
// The values that `cells` give the variants at `places`, read as typed values are: a single
// row goes to every place, more go to one place each in turn from the first. A row's first
// cell is of `first`; a second, after a price, is the stock.
PastedValues pastedValues(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                          const std::vector<QStringList> &cells, TypedValue::Kind first, QChar decimalMark);
// The value of `kind` of the variant at the first of `places` given to the others; refused
// where the file could not keep it.
ChangedValues filledValues(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                           TypedValue::Kind kind);

// The stocks a count sets: each counted variant still in the catalogue takes its count as
// its stock; variants not counted, and those whose stock is their count, are left out.
ChangedValues countedStocks(const SetOfFurnitures &set, const std::vector<CountedStock> &counts);

// Exchanges the price and the stock of the variant at each entry's place with the entry's.
void exchangeValues(SetOfFurnitures &set, std::vector<VariantValues> &values);

} // namespace CatalogueOperations
