#include "cataloguemerge.h"

#include "catalogueoperations.h"
#include "fieldtext.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::size_t none = std::numeric_limits<std::size_t>::max();
// A field's choice: theirs, ours, or (from 0 up) the conflict that decides it.
constexpr int takeTheirs = -1;
constexpr int takeOurs = -2;

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

QString measures(const Dimension &dim)
{
    return text(dim.getLength() + ", " + dim.getHeight() + ", " + dim.getWidth() + ", " + dim.getWeight());
}

bool sameValues(const Form &a, const Form &b)
{
    return a.getPhoto() == b.getPhoto() && a.getColor() == b.getColor() && sameNumber(a.getPrice(), b.getPrice())
        && a.getStock() == b.getStock();
}

QString describe(const Form &form)
{
    return QStringList({ text(form.getPhoto()), text(form.getColor()), FieldText::price(form.getPrice()),
                         FieldText::stock(form.getStock()) })
            .join(QStringLiteral(", "));
}

} // namespace

struct CatalogueMerge::BasePlace
{
    std::size_t element = 0;
    const Form *form = nullptr;
    const Form *theirs = nullptr;
    const Form *ours = nullptr;
    std::size_t oursElement = none;
};

// One of theirs elements, with the choice of each of its own fields.
struct CatalogueMerge::Element
{
    std::array<int, 5> choices { takeTheirs, takeTheirs, takeTheirs, takeTheirs, takeTheirs };
    const Furniture *ours = nullptr;
};

// One of theirs variants, in theirs order.
struct CatalogueMerge::Variant
{
    std::size_t element = 0;
    const Form *theirs = nullptr;
    // Null where theirs added the variant or ours deleted it.
    const Form *ours = nullptr;
    std::array<int, 4> choices { takeTheirs, takeTheirs, takeTheirs, takeTheirs };
    // Where ours deleted a variant theirs changed: the conflict that decides whether it goes.
    int deletion = takeTheirs;
    // Where ours holds it: the element that holds it there.
    std::size_t oursElement = none;
};

// A variant that ours holds and theirs does not: added by ours, or changed by ours and
// deleted by theirs.
struct CatalogueMerge::OursOnly
{
    const Form *form = nullptr;
    std::size_t oursElement = 0;
    int keep = takeOurs;
};

CatalogueMerge::CatalogueMerge(const CatalogueBase &base, const SetOfFurnitures &theirs,
                               const SetOfFurnitures &ours)
    : base(base), theirs(theirs.getFurnitures()), ours(ours.getFurnitures())
{
    std::unordered_map<std::uint64_t, std::size_t> bySerial;
    for (std::size_t element = 0; element < base.size(); ++element)
        for (const Form &form : base[element].getForms()) {
            bySerial.emplace(form.getSerial(), places.size());
            places.push_back({ element, &form, nullptr, nullptr, none });
        }
    // The first unmatched base variant of each identifier, and the next of the same one.
    std::unordered_map<std::string_view, std::size_t> firstWithId;
    std::vector<std::size_t> nextWithId(places.size(), none);
    firstWithId.reserve(places.size());
    for (std::size_t place = places.size(); place-- > 0;) {
        auto [first, added] = firstWithId.try_emplace(places[place].form->getId(), place);
        if (!added) {
            nextWithId[place] = first->second;
            first->second = place;
        }
    }
    for (std::size_t element = 0; element < this->ours.size(); ++element)
        for (const Form &form : this->ours[element]->getForms())
            if (const auto known = bySerial.find(form.getSerial()); known != bySerial.end()) {
                places[known->second].ours = &form;
                places[known->second].oursElement = element;
            }

    elements.resize(this->theirs.size());
    for (std::size_t element = 0; element < this->theirs.size(); ++element) {
        std::size_t firstMatched = none;
        for (const Form &form : this->theirs[element]->getForms()) {
            Variant variant { element, &form };
            const auto first = firstWithId.find(form.getId());
            if (first == firstWithId.end() || first->second == none) {
                ++taken; // added by theirs
                variants.push_back(variant);
                continue;
            }
            BasePlace &place = places[first->second];
            first->second = nextWithId[first->second];
            place.theirs = &form;
            const bool theirsChanged = !sameValues(*place.form, form);
            if (!place.ours) {
                // Deleted by ours: that stands unless theirs changed it.
                if (theirsChanged) {
                    variant.deletion = int(found.size());
                    found.push_back({ form.getId(), MergeConflict::Variant, describe(form), {}, true });
                    variants.push_back(variant);
                }
                continue;
            }
            const Form &old = *place.form, &mine = *place.ours;
            variant.ours = &mine;
            variant.oursElement = place.oursElement;
            const std::string &id = form.getId();
            variant.choices = {
                pick(mine.getPhoto() != old.getPhoto(), form.getPhoto() != old.getPhoto(),
                     form.getPhoto() == mine.getPhoto(), id, MergeConflict::Photo, text(form.getPhoto()),
                     text(mine.getPhoto())),
                pick(mine.getColor() != old.getColor(), form.getColor() != old.getColor(),
                     form.getColor() == mine.getColor(), id, MergeConflict::Color, text(form.getColor()),
                     text(mine.getColor())),
                pick(!sameNumber(mine.getPrice(), old.getPrice()), !sameNumber(form.getPrice(), old.getPrice()),
                     sameNumber(form.getPrice(), mine.getPrice()), id, MergeConflict::Price,
                     FieldText::price(form.getPrice()), FieldText::price(mine.getPrice())),
                pick(mine.getStock() != old.getStock(), form.getStock() != old.getStock(),
                     form.getStock() == mine.getStock(), id, MergeConflict::Stock,
                     FieldText::stock(form.getStock()), FieldText::stock(mine.getStock())),
            };
            variants.push_back(variant);
            if (firstMatched == none) {
                firstMatched = &place - places.data();
                mergeElement(element, firstMatched);
            }
        }
    }
    collectOursOnly();
}

CatalogueMerge::~CatalogueMerge() = default;

// The element's own fields, as the elements holding its first variant that every side
// holds have them.
void CatalogueMerge::mergeElement(std::size_t theirsElement, std::size_t firstMatched)
{
    const BasePlace &place = places[firstMatched];
    const Furniture &old = base[place.element], &other = *theirs[theirsElement], &mine = *ours[place.oursElement];
    const std::string &id = place.theirs->getId();
    const auto field = [&](const std::string &(Furniture::*get)() const, MergeConflict::Field kind) {
        return pick((mine.*get)() != (old.*get)(), (other.*get)() != (old.*get)(), (other.*get)() == (mine.*get)(),
                    id, kind, text((other.*get)()), text((mine.*get)()));
    };
    Element &element = elements[theirsElement];
    element.ours = &mine;
    element.choices = {
        field(&Furniture::getCategory, MergeConflict::Category),
        field(&Furniture::getName, MergeConflict::Name),
        field(&Furniture::getDesc, MergeConflict::Description),
        field(&Furniture::getDesigner, MergeConflict::Designer),
        pick(!(mine.getDim() == old.getDim()), !(other.getDim() == old.getDim()), other.getDim() == mine.getDim(),
             id, MergeConflict::Measures, measures(other.getDim()), measures(mine.getDim())),
    };
}

// Ours variants that theirs does not hold, in ours order.
void CatalogueMerge::collectOursOnly()
{
    std::unordered_set<const Form *> inBase;
    inBase.reserve(places.size());
    for (const BasePlace &place : places)
        if (place.ours)
            inBase.insert(place.ours);
    for (const BasePlace &place : places) {
        if (!place.ours || place.theirs)
            continue;
        // Deleted by theirs: that stands unless ours changed it.
        if (sameValues(*place.form, *place.ours)) {
            ++taken;
            continue;
        }
        const int keep = int(found.size());
        found.push_back({ place.ours->getId(), MergeConflict::Variant, {}, describe(*place.ours), false });
        oursOnly.push_back({ place.ours, place.oursElement, keep });
    }
    for (std::size_t element = 0; element < ours.size(); ++element)
        for (const Form &form : ours[element]->getForms())
            if (!inBase.count(&form))
                oursOnly.push_back({ &form, element, takeOurs });
    // Those changed and deleted come in ours order among the added ones.
    std::stable_sort(oursOnly.begin(), oursOnly.end(), [](const OursOnly &a, const OursOnly &b) {
        return a.oursElement < b.oursElement || (a.oursElement == b.oursElement && a.form < b.form);
    });
}

int CatalogueMerge::pick(bool oursChanged, bool theirsChanged, bool sidesAgree, const std::string &id,
                         MergeConflict::Field field, const QString &theirsText, const QString &oursText)
{
    if (!oursChanged) {
        taken += theirsChanged;
        return takeTheirs;
    }
    if (!theirsChanged || sidesAgree)
        return takeOurs;
    found.push_back({ id, field, theirsText, oursText });
    return int(found.size()) - 1;
}

bool CatalogueMerge::takesOurs(int choice) const
{
    return choice == takeOurs || (choice >= 0 && found[std::size_t(choice)].keepOurs);
}

MergedCatalogue CatalogueMerge::result() const
{
    MergedCatalogue merged;
    std::vector<Furniture *> built;
    std::unordered_map<std::size_t, Furniture *> forOursElement;
    std::unordered_set<std::string> ids;
    std::vector<std::vector<Form>> forms(theirs.size());
    for (const Variant &variant : variants) {
        if (variant.deletion >= 0 && takesOurs(variant.deletion))
            continue;
        Form form = variant.ours ? *variant.ours : *variant.theirs;
        if (variant.ours) {
            const Form &other = *variant.theirs;
            const auto &choice = variant.choices;
            form.setPhoto(takesOurs(choice[0]) ? form.getPhoto() : other.getPhoto());
            form.setColor(takesOurs(choice[1]) ? form.getColor() : other.getColor());
            form.setPrice(takesOurs(choice[2]) ? form.getPrice() : other.getPrice());
            form.setStock(takesOurs(choice[3]) ? form.getStock() : other.getStock());
        }
        ids.insert(form.getId());
        forms[variant.element].push_back(std::move(form));
    }
    std::vector<std::size_t> builtOf(theirs.size(), none);
    for (std::size_t element = 0; element < theirs.size(); ++element) {
        // An element all of whose variants went, goes too.
        if (forms[element].empty() && !theirs[element]->getForms().empty())
            continue;
        const Furniture &other = *theirs[element];
        const Element &plan = elements[element];
        const Furniture &mine = plan.ours ? *plan.ours : other;
        const auto field = [&](int choice, const std::string &(Furniture::*get)() const) {
            return takesOurs(choice) ? (mine.*get)() : (other.*get)();
        };
        builtOf[element] = built.size();
        built.push_back(new Furniture(field(plan.choices[0], &Furniture::getCategory),
                                      field(plan.choices[1], &Furniture::getName),
                                      field(plan.choices[2], &Furniture::getDesc),
                                      field(plan.choices[3], &Furniture::getDesigner),
                                      takesOurs(plan.choices[4]) ? mine.getDim() : other.getDim(),
                                      std::move(forms[element])));
    }
    for (const Variant &variant : variants)
        if (variant.ours && builtOf[variant.element] != none)
            forOursElement.try_emplace(variant.oursElement, built[builtOf[variant.element]]);
    // An element of ours that holds none of the merged variants comes after the element that
    // holds those of the element before it in ours, as it came there.
    std::vector<Furniture *> anchorOf(ours.size(), nullptr);
    for (std::size_t element = 1; element < ours.size(); ++element) {
        const auto mapped = forOursElement.find(element - 1);
        anchorOf[element] = mapped != forOursElement.end() ? mapped->second : anchorOf[element - 1];
    }
    std::unordered_map<const Furniture *, std::vector<Furniture *>> following;

    SetOfFurnitures view;
    for (const OursOnly &only : oursOnly) {
        if (!takesOurs(only.keep))
            continue;
        const Furniture &mine = *ours[only.oursElement];
        auto [into, isNew] = forOursElement.try_emplace(only.oursElement, nullptr);
        if (isNew) {
            into->second = new Furniture(mine.getCategory(), mine.getName(), mine.getDesc(), mine.getDesigner(),
                                         mine.getDim(), {});
            following[anchorOf[only.oursElement]].push_back(into->second);
            built.push_back(into->second);
        }
        Form form = *only.form;
        if (ids.count(form.getId())) {
            view.setFurnitures(built);
            const NewIdentifier next = CatalogueOperations::nextIdentifier(
                    view, mine.getCategory(), mine.getName(), form.getColor(), CatalogueOperations::SameColour::Allowed);
            if (next.outcome == NewIdentifier::Issued) {
                merged.renumbered.emplace_back(form.getId(), next.id);
                form = Form(next.id, form.getPhoto(), form.getColor(), form.getPrice(), form.getStock());
            }
        }
        ids.insert(form.getId());
        into->second->addForm(std::move(form));
    }
    const auto place = [&](const Furniture *anchor) {
        for (Furniture *element : following[anchor])
            merged.elements.emplace_back(element);
    };
    place(nullptr);
    for (std::size_t element = 0; element < theirs.size(); ++element)
        if (builtOf[element] != none) {
            merged.elements.emplace_back(built[builtOf[element]]);
            place(built[builtOf[element]]);
        }
    return merged;
}
