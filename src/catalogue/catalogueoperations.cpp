#include "catalogueoperations.h"

#include "cataloguesearch.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// The first three "."-separated groups of a variant identifier.
struct IdGroups
{
    std::string_view category, element, variant;
    bool complete = false; // the identifier has at least three groups
};

IdGroups splitGroups(std::string_view id)
{
    IdGroups groups;
    const size_t first = id.find('.');
    groups.category = id.substr(0, first);
    if (first == std::string_view::npos)
        return groups;
    const size_t second = id.find('.', first + 1);
    groups.element = id.substr(first + 1, second - first - 1);
    if (second == std::string_view::npos)
        return groups;
    const size_t third = id.find('.', second + 1);
    groups.variant = id.substr(second + 1, third - second - 1);
    groups.complete = true;
    return groups;
}

// A group that is not a plain decimal number, or is above the highest number there is,
// reads as 0: nothing would ever be issued under it.
std::uint64_t numberOf(std::string_view group)
{
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(group.data(), group.data() + group.size(), number);
    if (error != std::errc() || end != group.data() + group.size())
        return 0;
    return number;
}

// 1 -> "001", 42 -> "042", 1000 -> "1000".
std::string formatGroup(std::uint64_t number)
{
    std::string text = std::to_string(number);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    return text;
}

// One more than the highest group that `pick` takes from the identifiers it accepts; none
// when that group is the highest number there is.
template<typename Pick>
std::optional<std::string> nextGroup(const std::vector<Furniture *> &furnitures, Pick pick)
{
    std::uint64_t highest = 0;
    for (const Furniture *furniture : furnitures) {
        for (const Form &form : furniture->getForms()) {
            if (const std::optional<std::string_view> group = pick(splitGroups(form.getId())))
                highest = std::max(highest, numberOf(*group));
        }
    }
    if (highest == UINT64_MAX)
        return std::nullopt;
    return formatGroup(highest + 1);
}

Furniture *elementAt(const SetOfFurnitures &set, std::size_t place)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    return place < furnitures.size() ? furnitures[place] : nullptr;
}

// The element holding a variant at `place`; null when there is no such variant.
Furniture *elementWithVariant(const SetOfFurnitures &set, VariantPlace place)
{
    Furniture *furniture = elementAt(set, place.element);
    return furniture && place.variant < furniture->getForms().size() ? furniture : nullptr;
}

// The text read whole: QString::fromStdString() would drop a leading U+FEFF.
QString decoded(const std::string &text)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
            QByteArrayView(text.data(), qsizetype(text.size())));
}

std::string trimmedText(const std::string &text)
{
    return decoded(text).trimmed().toStdString();
}

// A text as the comparison of near-duplicate names sees it.
QString comparable(const std::string &text)
{
    return CatalogueSearch::folded(decoded(text).trimmed());
}

// The first text that `textOf` gives of the elements `among` accepts that equals `typed`
// as comparable() sees it; none when one of them is `typed` exactly.
template<typename Among, typename TextOf>
std::optional<std::string> similarText(const SetOfFurnitures &set, const std::string &typed,
                                       Among among, TextOf textOf)
{
    const QString wanted = comparable(typed);
    std::optional<std::string> similar;
    for (const Furniture *furniture : set.getFurnitures()) {
        if (!among(*furniture))
            continue;
        const std::string &text = textOf(*furniture);
        if (text == typed)
            return std::nullopt;
        if (!similar && comparable(text) == wanted)
            similar = text;
    }
    return similar;
}

} // namespace

NewFurnitureNames CatalogueOperations::trimmed(const NewFurnitureNames &names)
{
    return { trimmedText(names.category), trimmedText(names.name), trimmedText(names.color) };
}

std::vector<NewFurnitureNames::Field> CatalogueOperations::emptyFields(const NewFurnitureNames &names)
{
    const NewFurnitureNames kept = trimmed(names);
    std::vector<NewFurnitureNames::Field> empty;
    if (kept.category.empty())
        empty.push_back(NewFurnitureNames::Category);
    if (kept.name.empty())
        empty.push_back(NewFurnitureNames::Name);
    if (kept.color.empty())
        empty.push_back(NewFurnitureNames::Color);
    return empty;
}

std::optional<std::string> CatalogueOperations::similarCategory(const SetOfFurnitures &set,
                                                                const std::string &category)
{
    return similarText(set, category, [](const Furniture &) { return true; },
                       [](const Furniture &furniture) -> const std::string & { return furniture.getCategory(); });
}

std::optional<std::string> CatalogueOperations::similarName(const SetOfFurnitures &set,
                                                            const std::string &category,
                                                            const std::string &name)
{
    return similarText(set, name, [&category](const Furniture &furniture) { return furniture.getCategory() == category; },
                       [](const Furniture &furniture) -> const std::string & { return furniture.getName(); });
}

std::vector<std::string> CatalogueOperations::photoNames(const SetOfFurnitures &set)
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const Furniture *furniture : set.getFurnitures())
        for (const Form &form : furniture->getForms())
            if (!form.getPhoto().empty() && seen.insert(form.getPhoto()).second)
                names.push_back(form.getPhoto());
    return names;
}

std::optional<VariantPlace> CatalogueOperations::findVariant(const SetOfFurnitures &set,
                                                             std::uint64_t serial)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    for (std::size_t element = 0; element < furnitures.size(); ++element) {
        const std::vector<Form> &forms = furnitures[element]->getForms();
        for (std::size_t variant = 0; variant < forms.size(); ++variant) {
            if (forms[variant].getSerial() == serial)
                return VariantPlace { element, variant };
        }
    }
    return std::nullopt;
}

NewIdentifier CatalogueOperations::nextIdentifier(const SetOfFurnitures &set,
                                                  const std::string &category,
                                                  const std::string &name,
                                                  const std::string &color)
{
    return nextIdentifier(set, category, name, color, SameColour::Refused);
}

NewIdentifier CatalogueOperations::nextIdentifier(const SetOfFurnitures &set,
                                                  const std::string &category,
                                                  const std::string &name,
                                                  const std::string &color, SameColour sameColour)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();

    // Find the numbers in use for this category and this element. The element number
    // is taken together with its own category number, so that a category whose elements
    // carry different category numbers still yields an identifier nobody else holds.
    std::optional<std::string_view> categoryNumber, elementNumber;
    NewIdentifier next;
    for (std::size_t place = 0; place < furnitures.size(); ++place) {
        const Furniture *furniture = furnitures[place];
        if (furniture->getCategory() != category)
            continue;
        const bool sameName = furniture->getName() == name;
        for (const Form &form : furniture->getForms()) {
            if (sameName && form.getColor() == color && sameColour == SameColour::Refused)
                return { NewIdentifier::Duplicate, {}, {} };
            const IdGroups groups = splitGroups(form.getId());
            if (!groups.complete)
                continue;
            if (!sameName) {
                if (!elementNumber)
                    categoryNumber = groups.category;
                continue;
            }
            categoryNumber = groups.category;
            elementNumber = groups.element;
            next.element = place;
        }
    }

    std::string prefix, suffix;
    std::optional<std::string> group;
    if (!categoryNumber) {
        group = nextGroup(furnitures, [](const IdGroups &g) { return std::optional(g.category); });
        suffix = ".001.001";
    } else if (!elementNumber) {
        prefix = std::string(*categoryNumber) + '.';
        group = nextGroup(furnitures, [&](const IdGroups &g) {
            return g.complete && g.category == *categoryNumber ? std::optional(g.element) : std::nullopt;
        });
        suffix = ".001";
    } else {
        prefix = std::string(*categoryNumber) + '.' + std::string(*elementNumber) + '.';
        group = nextGroup(furnitures, [&](const IdGroups &g) {
            return g.complete && g.category == *categoryNumber && g.element == *elementNumber
                    ? std::optional(g.variant)
                    : std::nullopt;
        });
    }
    if (!group)
        return { NewIdentifier::Exhausted, {}, {} };
    next.id = prefix + *group + suffix;
    return next;
}

bool CatalogueOperations::holds(const SetOfFurnitures &set, VariantPlace place,
                                const Furniture &fields, const Form &variant)
{
    const Furniture *furniture = elementWithVariant(set, place);
    return furniture && furniture->getCategory() == fields.getCategory()
        && furniture->getName() == fields.getName() && furniture->getDesc() == fields.getDesc()
        && furniture->getDesigner() == fields.getDesigner() && furniture->getDim() == fields.getDim()
        && furniture->getForms()[place.variant] == variant;
}

void CatalogueOperations::exchange(SetOfFurnitures &set, VariantPlace place, Furniture &fields,
                                   Form &variant)
{
    Furniture *furniture = elementWithVariant(set, place);
    if (!furniture)
        return;
    std::vector<Form> forms = furniture->getForms();
    std::swap(forms[place.variant], variant);
    fields.setForms(std::move(forms));
    std::swap(*furniture, fields);
    // `fields` keeps the element's own fields only.
    fields.setForms({});
}

void CatalogueOperations::insertVariant(SetOfFurnitures &set, VariantPlace place, Form variant)
{
    Furniture *furniture = elementAt(set, place.element);
    if (!furniture)
        return;
    std::vector<Form> forms = furniture->getForms();
    forms.insert(forms.begin() + std::ptrdiff_t(std::min(place.variant, forms.size())), std::move(variant));
    furniture->setForms(std::move(forms));
}

std::optional<Form> CatalogueOperations::takeVariant(SetOfFurnitures &set, VariantPlace place)
{
    Furniture *furniture = elementWithVariant(set, place);
    if (!furniture)
        return std::nullopt;
    std::vector<Form> forms = furniture->getForms();
    Form taken = std::move(forms[place.variant]);
    forms.erase(forms.begin() + std::ptrdiff_t(place.variant));
    furniture->setForms(std::move(forms));
    return taken;
}

void CatalogueOperations::insertElement(SetOfFurnitures &set, std::size_t place,
                                        std::unique_ptr<Furniture> element)
{
    if (!element)
        return;
    std::vector<Furniture *> furnitures = set.getFurnitures();
    furnitures.insert(furnitures.begin() + std::ptrdiff_t(std::min(place, furnitures.size())),
                      element.release());
    set.setFurnitures(std::move(furnitures));
}

std::unique_ptr<Furniture> CatalogueOperations::takeElement(SetOfFurnitures &set, std::size_t place)
{
    std::vector<Furniture *> furnitures = set.getFurnitures();
    if (place >= furnitures.size())
        return nullptr;
    std::unique_ptr<Furniture> taken(furnitures[place]);
    furnitures.erase(furnitures.begin() + std::ptrdiff_t(place));
    set.setFurnitures(std::move(furnitures));
    return taken;
}

// Cents are snapped to a millionth before they are rounded, which takes away what the
// binary fraction adds or lacks; beyond 2^53 cents a price holds no cents to round.
double CatalogueOperations::roundedToCent(double price)
{
    const long double cents = static_cast<long double>(price) * 100;
    if (!std::isfinite(price) || std::fabs(cents) >= 0x1p53L)
        return price;
    return double(std::round(std::round(cents * 1e6L) / 1e6L)) / 100;
}

ChangedValues CatalogueOperations::changedPrices(const SetOfFurnitures &set,
                                                 const std::vector<VariantPlace> &places,
                                                 PriceChange change)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    const long double factor = change.kind == PriceChange::Raise   ? (100 + static_cast<long double>(change.amount)) / 100
                             : change.kind == PriceChange::Lower ? (100 - static_cast<long double>(change.amount)) / 100
                                                                  : 1;
    ChangedValues changed;
    for (const VariantPlace &place : places) {
        if (place.element >= furnitures.size() || place.variant >= furnitures[place.element]->getForms().size())
            continue;
        const Form &form = furnitures[place.element]->getForms()[place.variant];
        const double price = roundedToCent(change.kind == PriceChange::Set ? change.amount
                                                                           : double(form.getPrice() * factor));
        if (price == form.getPrice())
            continue;
        if (!std::isfinite(price) || price > TypedValue::maxPrice)
            ++changed.aboveLimit;
        else if (price < 0)
            ++changed.belowZero;
        else
            changed.values.push_back({ place, price, form.getStock() });
    }
    return changed;
}

ChangedValues CatalogueOperations::changedStocks(const SetOfFurnitures &set,
                                                 const std::vector<VariantPlace> &places,
                                                 StockChange change)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    ChangedValues changed;
    for (const VariantPlace &place : places) {
        if (place.element >= furnitures.size() || place.variant >= furnitures[place.element]->getForms().size())
            continue;
        const Form &form = furnitures[place.element]->getForms()[place.variant];
        const std::int64_t stock = form.getStock(), amount = change.amount;
        const std::int64_t result = change.kind == StockChange::Add        ? stock + amount
                                  : change.kind == StockChange::TakeAway ? stock - amount
                                                                          : amount;
        if (result == stock)
            continue;
        if (result < 0)
            ++changed.belowZero;
        else if (result > maxStock)
            ++changed.aboveLimit;
        else
            changed.values.push_back({ place, form.getPrice(), static_cast<unsigned int>(result) });
    }
    return changed;
}

ChangedValues CatalogueOperations::countedStocks(const SetOfFurnitures &set, const std::vector<CountedStock> &counts)
{
    std::unordered_map<std::uint64_t, unsigned int> bySerial;
    for (const CountedStock &counted : counts)
        bySerial[counted.serial] = counted.count;
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    ChangedValues changed;
    for (std::size_t element = 0; element < furnitures.size(); ++element) {
        const std::vector<Form> &forms = furnitures[element]->getForms();
        for (std::size_t variant = 0; variant < forms.size(); ++variant) {
            const auto counted = bySerial.find(forms[variant].getSerial());
            if (counted == bySerial.end() || counted->second == forms[variant].getStock())
                continue;
            if (counted->second > maxStock)
                ++changed.aboveLimit;
            else
                changed.values.push_back({ { element, variant }, forms[variant].getPrice(), counted->second });
        }
    }
    return changed;
}

std::vector<QStringList> CatalogueOperations::pastedCells(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    std::vector<QStringList> cells;
    cells.reserve(std::size_t(lines.size()));
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        cells.push_back(line.split(u'\t'));
    }
    if (cells.size() == 1 && cells.front() == QStringList(QString()))
        cells.clear();
    return cells;
}

PastedValues CatalogueOperations::pastedValues(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                                               const std::vector<QStringList> &cells, TypedValue::Kind first,
                                               QChar decimalMark)
{
    PastedValues pasted;
    const qsizetype columns = first == TypedValue::Price ? 2 : 1;
    if (cells.empty() || places.empty())
        pasted.outcome = PastedValues::Nothing;
    else if (cells.size() > 1 && cells.size() > places.size())
        pasted.outcome = PastedValues::TooManyRows;
    else if (std::any_of(cells.begin(), cells.end(), [columns](const QStringList &row) { return row.size() > columns; }))
        pasted.outcome = PastedValues::TooManyColumns;
    if (pasted.outcome != PastedValues::Taken)
        return pasted;

    const std::vector<Furniture *> furnitures = set.getFurnitures();
    const std::size_t count = cells.size() == 1 ? places.size() : cells.size();
    for (std::size_t at = 0; at < count; ++at) {
        const VariantPlace place = places[at];
        if (place.element >= furnitures.size() || place.variant >= furnitures[place.element]->getForms().size())
            continue;
        const Form &form = furnitures[place.element]->getForms()[place.variant];
        VariantValues values { place, form.getPrice(), form.getStock() };
        const QStringList &row = cells[cells.size() == 1 ? 0 : at];
        for (qsizetype column = 0; column < row.size(); ++column) {
            const auto kind = TypedValue::Kind(first + column);
            const TypedValue::Reading reading = TypedValue::read(row[column], kind, decimalMark);
            if (!reading.read())
                pasted.refused.push_back({ at, kind, row[column], reading.outcome });
            else if (kind == TypedValue::Price)
                values.price = reading.value;
            else
                values.stock = static_cast<unsigned int>(reading.value);
        }
        if (values.price != form.getPrice() || values.stock != form.getStock())
            pasted.values.push_back(values);
    }
    return pasted;
}

ChangedValues CatalogueOperations::filledValues(const SetOfFurnitures &set, const std::vector<VariantPlace> &places,
                                                TypedValue::Kind kind)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    const auto formAt = [&furnitures](VariantPlace place) -> const Form * {
        return place.element < furnitures.size() && place.variant < furnitures[place.element]->getForms().size()
                ? &furnitures[place.element]->getForms()[place.variant]
                : nullptr;
    };
    ChangedValues changed;
    const Form *source = places.empty() ? nullptr : formAt(places.front());
    if (!source)
        return changed;
    const bool keepable = kind == TypedValue::Price ? source->getPrice() <= TypedValue::maxPrice
                                                    : source->getStock() <= TypedValue::maxStock;
    for (std::size_t at = 1; at < places.size(); ++at) {
        const Form *form = formAt(places[at]);
        if (!form)
            continue;
        VariantValues values { places[at], form->getPrice(), form->getStock() };
        if (kind == TypedValue::Price)
            values.price = source->getPrice();
        else
            values.stock = source->getStock();
        if (values.price == form->getPrice() && values.stock == form->getStock())
            continue;
        if (keepable)
            changed.values.push_back(values);
        else
            ++changed.aboveLimit;
    }
    return changed;
}

void CatalogueOperations::exchangeValues(SetOfFurnitures &set, std::vector<VariantValues> &values)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    // Entries are grouped by element, so each element's variants are copied out and back once.
    for (auto first = values.begin(); first != values.end();) {
        const auto last = std::find_if(first, values.end(), [first](const VariantValues &entry) {
            return entry.place.element != first->place.element;
        });
        if (first->place.element < furnitures.size()) {
            Furniture &element = *furnitures[first->place.element];
            std::vector<Form> forms = element.getForms();
            for (auto entry = first; entry != last; ++entry) {
                if (entry->place.variant >= forms.size())
                    continue;
                Form &form = forms[entry->place.variant];
                const double price = form.getPrice();
                const unsigned int stock = form.getStock();
                form.setPrice(entry->price);
                form.setStock(entry->stock);
                entry->price = price;
                entry->stock = stock;
            }
            element.setForms(std::move(forms));
        }
        first = last;
    }
}
