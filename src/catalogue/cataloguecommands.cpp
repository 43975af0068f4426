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

ImportCommand::ImportCommand(SetOfFurnitures &set, std::vector<PriceChange> changes, const QString &text)
    : CatalogueStep(text), set(set), changes(std::move(changes))
{
}

void ImportCommand::redo()
{
    setValues(true);
}

void ImportCommand::undo()
{
    setValues(false);
}

CatalogueChange ImportCommand::change() const
{
    CatalogueChange change { CatalogueChange::Values, {} };
    change.variants.reserve(changes.size());
    for (const PriceChange &each : changes)
        change.variants.push_back(each.serial);
    return change;
}

void ImportCommand::setValues(bool newValues)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    for (const PriceChange &each : changes) {
        if (each.place.element >= furnitures.size())
            continue;
        Furniture &element = *furnitures[each.place.element];
        if (each.place.variant >= element.getForms().size()
            || element.getForms()[each.place.variant].getSerial() != each.serial)
            continue;
        element.setVariantValues(each.place.variant, newValues ? each.newPrice : each.oldPrice,
                                 newValues ? each.newStock : each.oldStock);
    }
}
