#include "cataloguemerge.h"

#include "catalogueoperations.h"
#include "fieldtext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
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

// The texts of a conflict are made only for a conflict.
template<typename Conflict>
int CatalogueMerge::pick(bool oursChanged, bool theirsChanged, bool sidesAgree, const Conflict &conflict)
{
    if (!oursChanged) {
        taken += theirsChanged;
        return takeTheirs;
    }
    if (!theirsChanged || sidesAgree)
        return takeOurs;
    found.push_back(conflict());
    return int(found.size()) - 1;
}

CatalogueMerge::CatalogueMerge(const CatalogueBase &base, const SetOfFurnitures &theirs,
                               const SetOfFurnitures &ours)
    : base(base), theirs(theirs.getFurnitures()), ours(ours.getFurnitures())
{
    for (std::size_t element = 0; element < base.size(); ++element)
        for (const Form &form : base[element].getForms())
            places.push_back({ element, &form });
    matchOurs();
    elements.resize(this->theirs.size());
    matchTheirs();
    collectOursOnly();
}

// Ours keeps the base's order but where it added or deleted: each variant is looked for
// just after the last one found, and among all the base's serial numbers only when it is
// not there.
void CatalogueMerge::matchOurs()
{
    std::unordered_map<std::uint64_t, std::size_t> bySerial;
    std::size_t next = 0;
    for (std::size_t element = 0; element < ours.size(); ++element)
        for (const Form &form : ours[element]->getForms()) {
            std::size_t found = none;
            if (next < places.size() && places[next].form->getSerial() == form.getSerial()) {
                found = next;
            } else {
                if (bySerial.empty())
                    for (std::size_t place = 0; place < places.size(); ++place)
                        bySerial.emplace(places[place].form->getSerial(), place);
                if (const auto known = bySerial.find(form.getSerial()); known != bySerial.end())
                    found = known->second;
            }
            if (found == none)
                continue; // added by ours
            places[found].ours = &form;
            places[found].oursElement = element;
            next = found + 1;
        }
}

// Theirs is matched by identifier the same way: just after the last variant found, else the
// first of that identifier not yet matched.
void CatalogueMerge::matchTheirs()
{
    std::unordered_map<std::string_view, std::size_t> firstWithId;
    std::vector<std::size_t> nextWithId;
    std::size_t next = 0;
    const auto find = [&](const std::string &id) {
        if (next < places.size() && !places[next].theirs && places[next].form->getId() == id)
            return next;
        if (nextWithId.empty()) {
            nextWithId.assign(places.size(), none);
            for (std::size_t place = places.size(); place-- > 0;) {
                auto [first, added] = firstWithId.try_emplace(places[place].form->getId(), place);
                if (!added) {
                    nextWithId[place] = first->second;
                    first->second = place;
                }
            }
        }
        const auto first = firstWithId.find(id);
        if (first == firstWithId.end())
            return none;
        // Those matched meanwhile are passed over once.
        while (first->second != none && places[first->second].theirs)
            first->second = nextWithId[first->second];
        return first->second;
    };
    for (std::size_t element = 0; element < theirs.size(); ++element) {
        bool elementMerged = false;
        for (const Form &form : theirs[element]->getForms()) {
            Variant variant { element, &form };
            const std::size_t matched = find(form.getId());
            if (matched == none) {
                ++taken; // added by theirs
                variants.push_back(variant);
                continue;
            }
            next = matched + 1;
            BasePlace &place = places[matched];
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
            const auto field = [&](const auto &get, MergeConflict::Field kind, const auto &show, const auto &same) {
                return pick(!same(get(mine), get(old)), !same(get(form), get(old)), same(get(form), get(mine)),
                            [&] { return MergeConflict { id, kind, show(get(form)), show(get(mine)) }; });
            };
            const auto equal = [](const auto &a, const auto &b) { return a == b; };
            variant.choices = {
                field([](const Form &f) -> const std::string & { return f.getPhoto(); }, MergeConflict::Photo, text, equal),
                field([](const Form &f) -> const std::string & { return f.getColor(); }, MergeConflict::Color, text, equal),
                field([](const Form &f) { return f.getPrice(); }, MergeConflict::Price, FieldText::price, sameNumber),
                field([](const Form &f) { return f.getStock(); }, MergeConflict::Stock, FieldText::stock, equal),
            };
            variants.push_back(variant);
            if (!elementMerged) {
                elementMerged = true;
                mergeElement(element, matched);
            }
        }
    }
}

CatalogueMerge::~CatalogueMerge() = default;

CatalogueBase CatalogueMerge::alignedBase(const std::vector<Furniture *> &kept, const std::vector<Furniture *> &read)
{
    std::unordered_map<std::string_view, std::deque<const Form *>> readWithId;
    for (const Furniture *element : read)
        for (const Form &form : element->getForms())
            readWithId[form.getId()].push_back(&form);
    CatalogueBase base;
    base.reserve(kept.size());
    for (const Furniture *element : kept) {
        std::vector<Form> forms;
        forms.reserve(element->getForms().size());
        for (const Form &form : element->getForms()) {
            std::deque<const Form *> &same = readWithId[form.getId()];
            if (same.empty()) {
                forms.push_back(form);
                continue;
            }
            Form aligned = *same.front();
            same.pop_front();
            aligned.setPhoto(form.getPhoto());
            aligned.setColor(form.getColor());
            aligned.setPrice(form.getPrice());
            aligned.setStock(form.getStock());
            forms.push_back(std::move(aligned));
        }
        base.emplace_back(element->getCategory(), element->getName(), element->getDesc(), element->getDesigner(),
                          element->getDim(), std::move(forms));
    }
    return base;
}

CatalogueBase CatalogueMerge::unknownBase(const SetOfFurnitures &ours)
{
    // No catalogue file holds control characters, an infinite price or the largest stock.
    const std::string none = "\x01";
    CatalogueBase base;
    for (const Furniture *element : ours.getFurnitures()) {
        std::vector<Form> forms = element->getForms();
        for (Form &form : forms) {
            form.setPhoto(none);
            form.setColor(none);
            form.setPrice(-std::numeric_limits<double>::infinity());
            form.setStock(std::numeric_limits<unsigned int>::max());
        }
        base.emplace_back(none, none, none, none, Dimension(none, none, none, none), std::move(forms));
    }
    return base;
}

// The element's own fields, as the elements holding its first variant that every side
// holds have them.
void CatalogueMerge::mergeElement(std::size_t theirsElement, std::size_t firstMatched)
{
    const BasePlace &place = places[firstMatched];
    const Furniture &old = base[place.element], &other = *theirs[theirsElement], &mine = *ours[place.oursElement];
    const std::string &id = place.theirs->getId();
    const auto field = [&](const std::string &(Furniture::*get)() const, MergeConflict::Field kind) {
        return pick((mine.*get)() != (old.*get)(), (other.*get)() != (old.*get)(), (other.*get)() == (mine.*get)(),
                    [&] { return MergeConflict { id, kind, text((other.*get)()), text((mine.*get)()) }; });
    };
    Element &element = elements[theirsElement];
    element.ours = &mine;
    element.choices = {
        field(&Furniture::getCategory, MergeConflict::Category),
        field(&Furniture::getName, MergeConflict::Name),
        field(&Furniture::getDesc, MergeConflict::Description),
        field(&Furniture::getDesigner, MergeConflict::Designer),
        pick(!(mine.getDim() == old.getDim()), !(other.getDim() == old.getDim()), other.getDim() == mine.getDim(),
             [&] { return MergeConflict { id, MergeConflict::Measures, measures(other.getDim()), measures(mine.getDim()) }; }),
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

bool CatalogueMerge::takesOurs(int choice) const
{
    return choice == takeOurs || (choice >= 0 && found[std::size_t(choice)].keepOurs);
}

MergedCatalogue CatalogueMerge::result() const
{
    MergedCatalogue merged;
    std::vector<Furniture *> built;
    std::unordered_map<std::size_t, Furniture *> forOursElement;
    std::vector<std::vector<Form>> forms(theirs.size());
    // The identifiers the merged catalogue holds, for those of ours that theirs took meanwhile;
    // gathered only when ours holds variants that theirs does not.
    const bool oursAdds = std::any_of(oursOnly.begin(), oursOnly.end(),
                                      [this](const OursOnly &only) { return takesOurs(only.keep); });
    std::unordered_set<std::string_view> ids;
    std::deque<std::string> newIds;
    for (const Variant &variant : variants) {
        if (variant.deletion >= 0 && takesOurs(variant.deletion))
            continue;
        if (oursAdds)
            ids.insert(variant.theirs->getId());
        Form form = variant.ours ? *variant.ours : *variant.theirs;
        if (variant.ours) {
            const Form &other = *variant.theirs;
            const auto &choice = variant.choices;
            form.setPhoto(takesOurs(choice[0]) ? form.getPhoto() : other.getPhoto());
            form.setColor(takesOurs(choice[1]) ? form.getColor() : other.getColor());
            form.setPrice(takesOurs(choice[2]) ? form.getPrice() : other.getPrice());
            form.setStock(takesOurs(choice[3]) ? form.getStock() : other.getStock());
        }
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
    std::size_t lastMapped = none;
    for (const Variant &variant : variants)
        if (variant.ours && builtOf[variant.element] != none && variant.oursElement != lastMapped) {
            lastMapped = variant.oursElement;
            forOursElement.try_emplace(variant.oursElement, built[builtOf[variant.element]]);
        }
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
        ids.insert(newIds.emplace_back(form.getId()));
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
