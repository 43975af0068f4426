#include "cataloguecommands.h"

#include <utility>

using namespace CatalogueOperations;

void CatalogueChange::add(const CatalogueChange &later)
{
    if (later.scope == Everything)
        scope = Everything;
    if (scope == Everything)
        variants.clear();
    else
        variants.insert(variants.end(), later.variants.begin(), later.variants.end());
}

ChangeCommand::ChangeCommand(SetOfFurnitures &set, VariantPlace place, Furniture fields,
                             Form variant, const QString &text)
    : CatalogueStep(text), set(set), place(place), fields(std::move(fields)), variant(std::move(variant))
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

// The step holds the element's fields as they were before it was last done or undone.
CatalogueChange ChangeCommand::change() const
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    if (place.element >= furnitures.size())
        return {};
    const Furniture &element = *furnitures[place.element];
    if (element.getCategory() != fields.getCategory() || element.getName() != fields.getName())
        return {};
    CatalogueChange change { CatalogueChange::Values, {} };
    const std::vector<Form> &forms = element.getForms();
    const bool ownFieldsChanged = element.getDesc() != fields.getDesc()
            || element.getDesigner() != fields.getDesigner() || !(element.getDim() == fields.getDim());
    if (ownFieldsChanged)
        for (const Form &form : forms)
            change.variants.push_back(form.getSerial());
    else if (place.variant < forms.size())
        change.variants.push_back(forms[place.variant].getSerial());
    return change;
}

AddOrDeleteCommand::AddOrDeleteCommand(SetOfFurnitures &set, const NewIdentifier &next,
                                       std::unique_ptr<Furniture> furniture, const QString &text)
    : CatalogueStep(text), set(set), adds(true),
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
    : CatalogueStep(text), set(set), adds(false), place(place),
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

CatalogueChange AddOrDeleteCommand::change() const
{
    return {};
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

ReplaceCommand::ReplaceCommand(SetOfFurnitures &set, std::vector<std::unique_ptr<Furniture>> elements,
                               const QString &text)
    : CatalogueStep(text), set(set)
{
    held.reserve(elements.size());
    for (std::unique_ptr<Furniture> &element : elements)
        held.push_back(element.release());
}

ReplaceCommand::~ReplaceCommand()
{
    for (Furniture *element : held)
        delete element;
}

void ReplaceCommand::redo()
{
    exchange();
}

void ReplaceCommand::undo()
{
    exchange();
}

CatalogueChange ReplaceCommand::change() const
{
    return {};
}

void ReplaceCommand::exchange()
{
    std::vector<Furniture *> in = set.getFurnitures();
    set.setFurnitures(std::move(held));
    held = std::move(in);
}
