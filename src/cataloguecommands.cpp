#include "cataloguecommands.h"

#include <utility>

using namespace CatalogueOperations;

ChangeCommand::ChangeCommand(SetOfFurnitures &set, VariantPlace place, Furniture fields,
                             Form variant, const QString &text)
    : QUndoCommand(text), set(set), place(place), fields(std::move(fields)), variant(std::move(variant))
{
    this->fields.setForms({});
}

void ChangeCommand::redo()
{
    exchange(set, place, fields, variant);
}

void ChangeCommand::undo()
{
    exchange(set, place, fields, variant);
}

AddOrDeleteCommand::AddOrDeleteCommand(SetOfFurnitures &set, const NewIdentifier &next,
                                       std::unique_ptr<Furniture> furniture, const QString &text)
    : QUndoCommand(text), set(set), adds(true),
      place { next.element.value_or(set.getFurnitures().size()), 0 }, wholeElement(!next.element)
{
    if (wholeElement) {
        element = std::move(furniture);
        return;
    }
    variant = furniture->getForms().front();
    // The new colour goes after the element's last variant.
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    if (place.element < furnitures.size())
        place.variant = furnitures[place.element]->getForms().size();
}

AddOrDeleteCommand::AddOrDeleteCommand(SetOfFurnitures &set, VariantPlace place, const QString &text)
    : QUndoCommand(text), set(set), adds(false), place(place),
      wholeElement(place.element < set.getFurnitures().size()
                   && set.getFurnitures()[place.element]->getForms().size() == 1)
{
}

void AddOrDeleteCommand::redo()
{
    adds ? put() : take();
}

void AddOrDeleteCommand::undo()
{
    adds ? take() : put();
}

void AddOrDeleteCommand::put()
{
    if (wholeElement)
        insertElement(set, place.element, std::move(element));
    else if (variant)
        insertVariant(set, place, *std::move(variant));
    variant.reset();
}

void AddOrDeleteCommand::take()
{
    if (wholeElement)
        element = takeElement(set, place.element);
    else
        variant = takeVariant(set, place);
}
