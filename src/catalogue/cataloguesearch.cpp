#include "cataloguesearch.h"

#include "fieldtext.h"

#include <algorithm>
#include <string_view>

std::vector<ShownElement> wholeCatalogue(const SetOfFurnitures &catalogue)
{
    std::vector<ShownElement> shown;
    const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
    shown.reserve(furnitures.size());
    for (Furniture *furniture : furnitures) {
        std::vector<std::size_t> places(furniture->getForms().size());
        for (std::size_t place = 0; place < places.size(); ++place)
            places[place] = place;
        shown.push_back({ furniture, std::move(places) });
    }
    return shown;
}

QString CatalogueSearch::folded(const QString &text)
{
    QString decomposed = text.normalized(QString::NormalizationForm_KD);
    decomposed.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return decomposed.toCaseFolded();
}

CatalogueSearch::CatalogueSearch(const SetOfFurnitures &catalogue)
{
    for (Furniture *furniture : catalogue.getFurnitures()) {
        // An element without variants has nothing to show.
        if (furniture->getForms().empty())
            continue;
        elements.push_back({ furniture, recordStarts.size() - 1, furniture->getForms().size() });
        for (const std::string *text : { &furniture->getCategory(), &furniture->getName(),
                                         &furniture->getDesc(), &furniture->getDesigner() })
            appendFolded(*text);
        endRecord();
        for (const Form &form : furniture->getForms()) {
            for (const std::string *text : { &form.getId(), &form.getColor(), &form.getPhoto() })
                appendFolded(*text);
            appendFolded(FieldText::price(form.getPrice()).toStdString());
            appendFolded(FieldText::stock(form.getStock()).toStdString());
            endRecord();
        }
        variants += furniture->getForms().size();
    }
    texts.shrink_to_fit();
}

// Texts in plain ASCII, as most are, are folded byte by byte; only others take the
// toolkit's normalisation. Fields are kept apart by a tab, which no word holds.
void CatalogueSearch::appendFolded(const std::string &text)
{
    if (std::all_of(text.cbegin(), text.cend(), [](char c) { return (unsigned char)c < 0x80; })) {
        const std::size_t start = texts.size();
        texts += text;
        std::transform(texts.begin() + std::ptrdiff_t(start), texts.end(), texts.begin() + std::ptrdiff_t(start),
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    } else {
        texts += folded(QString::fromStdString(text)).toStdString();
    }
    texts += '\t';
}

void CatalogueSearch::endRecord()
{
    texts.back() = '\n';
    recordStarts.push_back(texts.size());
}

std::size_t CatalogueSearch::memoryBytes() const
{
    return texts.capacity() + recordStarts.capacity() * sizeof(std::size_t)
            + elements.capacity() * sizeof(IndexedElement);
}

// Marks each record in which `word` occurs. A match never runs into the next field or
// record, as fields end in a tab and records in a line break, which no word holds. A word
// made only of digits and points matches a variant's identifier, its record's first field,
// only from its start: "001.002" finds 001.002.*, not 003.001.002.
std::vector<char> CatalogueSearch::recordsHolding(const std::string &word) const
{
    const bool identifierWord = word.find_first_not_of("0123456789.") == std::string::npos;
    std::vector<char> holding(recordStarts.size() - 1, 0);
    const std::string_view haystack(texts);
    auto record = recordStarts.cbegin();
    for (std::size_t at = haystack.find(word); at != std::string_view::npos; at = haystack.find(word, at)) {
        record = std::upper_bound(record, recordStarts.cend(), at) - 1;
        if (identifierWord && at != *record && isVariantRecord(std::size_t(record - recordStarts.cbegin()))
            && haystack.find('\t', *record) > at) {
            ++at;
            continue;
        }
        holding[std::size_t(record - recordStarts.cbegin())] = 1;
        at = *++record;
    }
    return holding;
}

// Element records are those of `elements`; all others are a variant's.
bool CatalogueSearch::isVariantRecord(std::size_t record) const
{
    const auto element = std::lower_bound(elements.cbegin(), elements.cend(), record,
                                          [](const IndexedElement &e, std::size_t r) { return e.record < r; });
    return element == elements.cend() || element->record != record;
}

std::vector<ShownElement> CatalogueSearch::find(const QString &query) const
{
    std::vector<std::vector<char>> holding;
    for (const QString &word : folded(query).simplified().split(u' ', Qt::SkipEmptyParts))
        holding.push_back(recordsHolding(word.toStdString()));

    std::vector<ShownElement> shown;
    for (const IndexedElement &element : elements) {
        std::vector<std::size_t> places;
        for (std::size_t place = 0; place < element.variants; ++place) {
            const std::size_t record = element.record + 1 + place;
            if (std::all_of(holding.cbegin(), holding.cend(),
                            [&](const std::vector<char> &in) { return in[element.record] || in[record]; }))
                places.push_back(place);
        }
        if (!places.empty())
            shown.push_back({ element.element, std::move(places) });
    }
    return shown;
}
