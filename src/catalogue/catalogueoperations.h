#pragma once

#include "setoffurnitures.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

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

// The changes the editors make to a catalogue, each undone by its counterpart: insert by
// take, exchange by exchange again. A place outside the catalogue changes nothing.
namespace CatalogueOperations {

std::optional<VariantPlace> findVariant(const SetOfFurnitures &set, std::uint64_t serial);

// The next free identifier for a variant of `color` of the element `name` of `category`:
// a new category, a new element of a known category, or a new colour of a known element.
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

} // namespace CatalogueOperations
