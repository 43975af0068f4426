#pragma once

#include "catalogueoperations.h"

#include <QUndoCommand>

#include <cstdint>
#include <memory>
#include <string>
#include <optional>
#include <vector>

// What a change of the catalogue touched, for the views that show it.
struct CatalogueChange
{
    // From the widest to the narrowest.
    enum Scope {
        // Elements came or went, moved, or had their category or name changed, or the
        // catalogue is another one (Open, New).
        Everything,
        // Variants of `elements` came or went; every element stays where it was, under its
        // category and name.
        Variants,
        // Only values of `variants` changed; every element and variant stays where it was.
        Values,
    };
    Scope scope = Everything;
    // The elements whose variants came or went, with Variants.
    std::vector<const Furniture *> elements;
    // The serial numbers of the variants whose values changed, with Variants or Values.
    std::vector<std::uint64_t> variants;

    // This change followed by `later`, as one.
    void add(const CatalogueChange &later);
};

// A step of the history that says what it changed, each time it is done or undone.
class CatalogueStep : public QUndoCommand
{
public:
    using QUndoCommand::QUndoCommand;
    // What the step changed as it was last done or undone.
    virtual CatalogueChange change() const = 0;
};

// One Save of an editor on an existing variant: the variant's values and its element's own
// fields. The step holds the values that are not in the catalogue at the time, and trades
// them for those that are.
class ChangeCommand : public CatalogueStep
{
public:
    ChangeCommand(SetOfFurnitures &set, VariantPlace place, Furniture fields, Form variant,
                  const QString &text);

    void redo() override;
    void undo() override;
    CatalogueChange change() const override;

private:
    SetOfFurnitures &set;
    const VariantPlace place;
    Furniture fields;
    Form variant;
};

// A variant, or a whole element, that a step adds to the catalogue or deletes from it. The
// step holds it while it is out of the catalogue.
class AddOrDeleteCommand : public CatalogueStep
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
    CatalogueChange change() const override;

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

// New prices or stocks of variants, one or many, as one step. The step holds the values
// that are not in the catalogue at the time, and trades them for those that are.
class ValuesCommand : public CatalogueStep
{
public:
    ValuesCommand(SetOfFurnitures &set, std::vector<VariantValues> values, const QString &text);

    void redo() override;
    void undo() override;
    CatalogueChange change() const override;

private:
    SetOfFurnitures &set;
    std::vector<VariantValues> values;
};

// The whole catalogue replaced by another, as a merge with the file on disk replaces it.
// The step holds whichever of the two is out of the catalogue at the time.
class ReplaceCommand : public CatalogueStep
{
public:
    ReplaceCommand(SetOfFurnitures &set, std::vector<std::unique_ptr<Furniture>> elements, const QString &text);
    ~ReplaceCommand() override;

    void redo() override;
    void undo() override;
    CatalogueChange change() const override;

private:
    void exchange();

    SetOfFurnitures &set;
    std::vector<Furniture *> held;
};
