#include "cataloguecommands.h"

#include <algorithm>
#include <utility>

using namespace CatalogueOperations;

void CatalogueChange::add(const CatalogueChange &later)
{
    scope = std::min(scope, later.scope);
    if (scope == Everything) {
        elements.clear();
        variants.clear();
        return;
    }
    elements.insert(elements.end(), later.elements.begin(), later.elements.end());
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
    CatalogueChange change { CatalogueChange::Values, {}, {} };
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

// A variant that comes or goes leaves its element where it was; an element does not.
CatalogueChange AddOrDeleteCommand::change() const
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    if (wholeElement || place.element >= furnitures.size())
        return {};
    return { CatalogueChange::Variants, { furnitures[place.element] }, {} };
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

// In catalogue order, each element's variants are exchanged together.
ValuesCommand::ValuesCommand(SetOfFurnitures &set, std::vector<VariantValues> values, const QString &text)
    : CatalogueStep(text), set(set), values(std::move(values))
{
    std::stable_sort(this->values.begin(), this->values.end(), [](const VariantValues &a, const VariantValues &b) {
        return a.place.element != b.place.element ? a.place.element < b.place.element : a.place.variant < b.place.variant;
    });
}

void ValuesCommand::redo()
{
    exchangeValues(set, values);
}

void ValuesCommand::undo()
{
    exchangeValues(set, values);
}

CatalogueChange ValuesCommand::change() const
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    CatalogueChange change { CatalogueChange::Values, {}, {} };
    change.variants.reserve(values.size());
    for (const VariantValues &entry : values)
        if (entry.place.element < furnitures.size() && entry.place.variant < furnitures[entry.place.element]->getForms().size())
            change.variants.push_back(furnitures[entry.place.element]->getForms()[entry.place.variant].getSerial());
    return change;
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
