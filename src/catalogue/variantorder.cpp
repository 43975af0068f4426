#include "variantorder.h"

#include "cataloguetable.h"

#include <QString>

#include <algorithm>
#include <string>
#include <unordered_map>

std::vector<ListedVariant> listedVariants(const SetOfFurnitures &catalogue)
{
    const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
    std::vector<ListedVariant> listed;
    for (std::size_t element = 0; element < furnitures.size(); ++element) {
        const std::vector<Form> &forms = furnitures[element]->getForms();
        for (std::size_t variant = 0; variant < forms.size(); ++variant)
            listed.push_back({ furnitures[element], std::uint32_t(element), std::uint32_t(variant),
                               forms[variant].getSerial() });
    }
    return listed;
}

namespace {

bool isNumber(std::string_view group)
{
    return !group.empty() && std::all_of(group.begin(), group.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// <0, 0 or >0 as group `a` goes before, with or after `b`.
int compareGroups(std::string_view a, std::string_view b)
{
    const bool aNumber = isNumber(a), bNumber = isNumber(b);
    if (aNumber != bNumber)
        return aNumber ? -1 : 1;
    if (aNumber) {
        a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
        b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

std::string_view nextGroup(std::string_view &rest)
{
    const std::size_t dot = rest.find('.');
    const std::string_view group = rest.substr(0, dot);
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    return group;
}

std::string_view columnText(const ListedVariant &variant, VariantOrder::Column column)
{
    using namespace VariantOrder;
    switch (column) {
    case Category:
        return variant.element->getCategory();
    case Name:
        return variant.element->getName();
    case Colour:
        return variant.form().getColor();
    case Designer:
        return variant.element->getDesigner();
    case Description:
        return variant.element->getDesc();
    default:
        return measure(variant, column);
    }
}

// Each distinct text of `column` over the variants gets its rank in the collator's order;
// texts the collator holds equal get the same rank. Measures that are numbers go first, by
// value, so that "9" comes before "10".
std::vector<double> collatedRanks(const std::vector<ListedVariant> &variants, VariantOrder::Column column,
                                  const QCollator &collator)
{
    std::unordered_map<std::string_view, std::size_t> distinct;
    std::vector<std::size_t> textOf(variants.size());
    std::vector<std::optional<double>> numbers;
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const auto [found, added] = distinct.try_emplace(columnText(variants[i], column), distinct.size());
        if (added)
            numbers.push_back(column >= VariantOrder::Length ? VariantOrder::measureNumber(variants[i], column) : std::nullopt);
        textOf[i] = found->second;
    }
    std::vector<QCollatorSortKey> keys(distinct.size(), collator.sortKey(QString()));
    for (const auto &[shown, index] : distinct)
        if (!numbers[index])
            keys[index] = collator.sortKey(QString::fromUtf8(shown.data(), qsizetype(shown.size())));
    const auto compare = [&numbers, &keys](std::size_t a, std::size_t b) {
        if (numbers[a].has_value() != numbers[b].has_value())
            return numbers[a] ? -1 : 1;
        if (numbers[a])
            return *numbers[a] < *numbers[b] ? -1 : *numbers[b] < *numbers[a] ? 1 : 0;
        return keys[a].compare(keys[b]);
    };
    std::vector<std::size_t> sorted(keys.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        sorted[i] = i;
    std::sort(sorted.begin(), sorted.end(), [&compare](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    std::vector<double> rankOf(keys.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        rankOf[sorted[i]] = i > 0 && compare(sorted[i - 1], sorted[i]) == 0 ? rankOf[sorted[i - 1]] : double(i);
    std::vector<double> ranks(variants.size());
    for (std::size_t i = 0; i < variants.size(); ++i)
        ranks[i] = rankOf[textOf[i]];
    return ranks;
}

// The number groups of an identifier of at most three groups, each a number of at most
// 18 digits: compared as numbers, they order identifiers as identifierLess() does, but much
// faster. Other identifiers are not `plain`, and are compared by identifierLess().
struct IdentifierKey
{
    std::uint64_t groups[3] = {};
    std::uint8_t count = 0;
    bool plain = true;
};

IdentifierKey identifierKey(std::string_view id)
{
    IdentifierKey key;
    std::string_view rest = id;
    for (;;) {
        const std::string_view group = nextGroup(rest);
        std::string_view digits = group;
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
        if (key.count == 3 || !isNumber(group) || digits.size() > 18) {
            key.plain = false;
            return key;
        }
        std::uint64_t value = 0;
        for (char digit : digits)
            value = value * 10 + std::uint64_t(digit - '0');
        key.groups[key.count++] = value;
        if (rest.empty())
            return key;
    }
}

bool keyedIdentifierLess(const IdentifierKey &a, const IdentifierKey &b, const std::string &idA, const std::string &idB)
{
    if (!a.plain || !b.plain)
        return VariantOrder::identifierLess(idA, idB);
    for (std::uint8_t group = 0; group < std::min(a.count, b.count); ++group)
        if (a.groups[group] != b.groups[group])
            return a.groups[group] < b.groups[group];
    return a.count != b.count ? a.count < b.count : idA < idB;
}

std::vector<double> numericKeys(const std::vector<ListedVariant> &variants, VariantOrder::Column column,
                                const QCollator &collator)
{
    using namespace VariantOrder;
    if (column != Price && column != Stock && column != StockValue)
        return collatedRanks(variants, column, collator);
    std::vector<double> keys(variants.size());
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const Form &form = variants[i].form();
        keys[i] = column == Price ? form.getPrice() : column == Stock ? double(form.getStock()) : form.getPrice() * form.getStock();
    }
    return keys;
}

} // namespace

const std::string &VariantOrder::measure(const ListedVariant &variant, Column column)
{
    const Dimension &dimension = variant.element->getDim();
    switch (column) {
    case Length:
        return dimension.getLength();
    case Height:
        return dimension.getHeight();
    case Width:
        return dimension.getWidth();
    default:
        return dimension.getWeight();
    }
}

// As the exports read it, so that the list sorts and copies a measure as a spreadsheet
// reads it from an export.
std::optional<double> VariantOrder::measureNumber(const ListedVariant &variant, Column column)
{
    const CatalogueTable table({ { variant.element, &variant.form() } }, {});
    TableCell cells[CatalogueTable::ColumnCount];
    table.row(0, cells);
    const TableCell &cell = cells[CatalogueTable::Length + (column - Length)];
    return cell.kind == TableCell::Number ? std::optional<double>(cell.number) : std::nullopt;
}

bool VariantOrder::identifierLess(std::string_view a, std::string_view b)
{
    std::string_view restA = a, restB = b;
    while (!restA.empty() && !restB.empty()) {
        if (const int order = compareGroups(nextGroup(restA), nextGroup(restB)))
            return order < 0;
    }
    if (restA.empty() != restB.empty())
        return restA.empty();
    return a < b;
}

void VariantOrder::sort(std::vector<std::uint32_t> &order, const std::vector<ListedVariant> &variants, Column column,
                        bool descending, const QCollator &collator)
{
    if (column == Identifier) {
        std::vector<IdentifierKey> keys(variants.size());
        for (std::size_t i = 0; i < variants.size(); ++i)
            keys[i] = identifierKey(variants[i].form().getId());
        const auto less = [&](std::uint32_t a, std::uint32_t b) {
            return keyedIdentifierLess(keys[a], keys[b], variants[a].form().getId(), variants[b].form().getId());
        };
        std::stable_sort(order.begin(), order.end(), [&less, descending](std::uint32_t a, std::uint32_t b) {
            return descending ? less(b, a) : less(a, b);
        });
        return;
    }
    // Each key beside its place, so that the sort reads them in order.
    const std::vector<double> keys = numericKeys(variants, column, collator);
    std::vector<std::pair<double, std::uint32_t>> keyed;
    keyed.reserve(order.size());
    for (std::uint32_t place : order)
        keyed.emplace_back(keys[place], place);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto &a, const auto &b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        order[i] = keyed[i].second;
}
