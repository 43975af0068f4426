#pragma once

#include "setoffurnitures.h"

#include <QCollator>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A variant of the catalogue as a list shows it: the element holding it, the element's
// place in the catalogue, the variant's place among its variants, and its serial number,
// by which the list tells whether the catalogue still holds it there.
struct ListedVariant
{
    Furniture *element;
    std::uint32_t elementPlace;
    std::uint32_t variant;
    std::uint64_t serial;

    const Form &form() const { return element->getForms()[variant]; }
};

// Every variant of the catalogue, in catalogue order.
std::vector<ListedVariant> listedVariants(const SetOfFurnitures &catalogue);

// The orders of the price list's columns.
namespace VariantOrder {

// New columns go last, so that the numbers of the others stay.
enum Column {
    Identifier, Category, Name, Colour, Price, Stock, StockValue,
    Designer, Description, Length, Height, Width, Weight, ColumnCount
};

// The measure of a column from Length to Weight.
const std::string &measure(const ListedVariant &variant, Column column);
// Its value where the exports write it as a number, which a spreadsheet sums; none for a text.
std::optional<double> measureNumber(const ListedVariant &variant, Column column);

// Identifiers go group by group: numbers by their value (001.002.010 after 001.002.009,
// 002.1000.001 after 002.999.001), before groups that are not numbers, which go by their
// bytes; fewer groups go first.
bool identifierLess(std::string_view a, std::string_view b);

// Sorts `order`, places in `variants`, by `column`: identifiers as above, texts as
// `collator` has them, numbers by value; measures that are numbers by value before the
// others, as a spreadsheet sorts them. Variants of equal values keep their order.
void sort(std::vector<std::uint32_t> &order, const std::vector<ListedVariant> &variants, Column column,
          bool descending, const QCollator &collator);

} // namespace VariantOrder
