#pragma once

#include "catalogueoperations.h"

#include <QUndoCommand>

#include <memory>
#include <optional>

// One Save of an editor on an existing variant: the variant's values and its element's own
// fields. The step holds the values that are not in the catalogue at the time, and trades
// them for those that are.
class ChangeCommand : public QUndoCommand
{
public:
    ChangeCommand(SetOfFurnitures &set, VariantPlace place, Furniture fields, Form variant,
                  const QString &text);

    void redo() override;
    void undo() override;

private:
    SetOfFurnitures &set;
    const VariantPlace place;
    Furniture fields;
    Form variant;
};

// A variant, or a whole element, that a step adds to the catalogue or deletes from it. The
// step holds it while it is out of the catalogue.
class AddOrDeleteCommand : public QUndoCommand
{
public:
    // Adds the one variant of `furniture` under the identifier `next` gave: into the element
    // `next` names, or with `furniture` as a new element at the end of the catalogue.
    AddOrDeleteCommand(SetOfFurnitures &set, const NewIdentifier &next,
                       std::unique_ptr<Furniture> furniture, const QString &text);
    // Deletes the variant at `place`, with its element when it is the element's last.
    AddOrDeleteCommand(SetOfFurnitures &set, VariantPlace place, const QString &text);

    void redo() override;
    void undo() override;

private:
    void put();
    void take();

    SetOfFurnitures &set;
    const bool adds;
    VariantPlace place;
    const bool wholeElement;
    std::unique_ptr<Furniture> element;
    std::optional<Form> variant;
};
