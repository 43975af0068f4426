#include "plaincatalogue.h"

#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0: no overlong
// form, no surrogate, nothing past U+10FFFF.
std::ptrdiff_t utf8Length(const char *at, const char *end)
{
    const auto lead = static_cast<unsigned char>(*at);
    std::ptrdiff_t length = 0;
    char32_t code = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, code = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, code = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, code = lead & 0x07, least = 0x10000;
    if (length == 0 || end - at < length)
        return 0;
    for (std::ptrdiff_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(at[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= least && code <= 0x10FFFF && !surrogate ? length : 0;
}

// The members of an element, of its measures, of a variant and of a variant's values, in
// the order the general reader looks them up and tells of those missing.
constexpr std::array<std::string_view, 5> elementKeys { "name", "description", "designer", "dimension", "specificite" };
constexpr std::array<std::string_view, 4> measureKeys { "length", "height", "width", "weight" };
constexpr std::array<std::string_view, 3> variantKeys { "id", "photo", "sous-formulaire" };
constexpr std::array<std::string_view, 3> valueKeys { "color", "price", "stock" };

// A cursor over the bytes. Each reader returns false, wherever it stands, when the bytes
// are not a plain catalogue; the entry it stands in and those after it are then left to
// the general reader.
class PlainReader
{
public:
    PlainReader(QByteArrayView bytes, UnkeptValues &missing) : at(bytes.begin()), end(bytes.end()), missing(missing) {}

    void catalogue(PlainCatalogue::Reading &reading);

private:
    template<std::size_t count, typename Member>
    bool object(const std::array<std::string_view, count> &keys, Member member, unsigned int &seen);
    template<typename Item>
    bool array(Item item);
    bool text(std::string &out);
    bool escape(std::string &out);
    bool hexUnit(char32_t &unit);
    bool number(std::string_view &written, bool &whole);
    bool price(double &price);
    bool stock(unsigned int &stock);

    bool category(std::vector<std::unique_ptr<Furniture>> &furnitures);
    bool element(std::vector<std::unique_ptr<Furniture>> &furnitures);
    bool variant(std::vector<Form> &forms);

    template<std::size_t count>
    void noteMissing(const std::array<std::string_view, count> &keys, unsigned int seen);
    template<std::size_t count>
    void holdMissing(const std::array<std::string_view, count> &keys, unsigned int seen);
    void tellMissing(std::string_view key);
    void tellHeldMissing();

    void skipSpace();
    bool take(char wanted);

    const char *at;
    const char *end;
    UnkeptValues &missing;
    // What the variants of the element being read lack. The general reader tells of them
    // after the element's own missing members, which are known only at its end: the first
    // few are held for their examples, the others only counted.
    std::vector<std::string_view> heldMissing;
    qint64 missingBeyondHeld = 0;
};

void PlainReader::skipSpace()
{
    while (at < end && (*at == ' ' || *at == '\n' || *at == '\r' || *at == '\t'))
        ++at;
}

bool PlainReader::take(char wanted)
{
    skipSpace();
    if (at == end || *at != wanted)
        return false;
    ++at;
    return true;
}

// An object whose members are among `keys`, in any order, each at most once; `member`
// reads the value of the key at the index it is given, and `seen` gets that index's bit.
// Keys hold no escapes.
template<std::size_t count, typename Member>
bool PlainReader::object(const std::array<std::string_view, count> &keys, Member member, unsigned int &seen)
{
    seen = 0;
    if (!take('{'))
        return false;
    skipSpace();
    if (at < end && *at == '}') {
        ++at;
        return true;
    }
    do {
        if (!take('"'))
            return false;
        const char *start = at;
        while (at < end && *at != '"' && *at != '\\')
            ++at;
        if (at == end || *at != '"')
            return false;
        const std::string_view key(start, std::size_t(at - start));
        ++at;
        const auto found = std::find(keys.begin(), keys.end(), key);
        const unsigned int bit = 1u << (found - keys.begin());
        if (found == keys.end() || (seen & bit) || !take(':') || !member(std::size_t(found - keys.begin())))
            return false;
        seen |= bit;
    } while (take(','));
    return take('}');
}

template<std::size_t count>
void PlainReader::noteMissing(const std::array<std::string_view, count> &keys, unsigned int seen)
{
    for (std::size_t key = 0; key < count; ++key)
        if (!(seen & 1u << key))
            tellMissing(keys[key]);
}

template<std::size_t count>
void PlainReader::holdMissing(const std::array<std::string_view, count> &keys, unsigned int seen)
{
    for (std::size_t key = 0; key < count; ++key) {
        if (seen & 1u << key)
            continue;
        if (heldMissing.size() < std::size_t(UnkeptValues::maxExamples))
            heldMissing.push_back(keys[key]);
        else
            ++missingBeyondHeld;
    }
}

void PlainReader::tellMissing(std::string_view key)
{
    missing.add(UnkeptValues::MissingMembers,
                missing.wantsExample(UnkeptValues::MissingMembers)
                        ? u'"' + QString::fromLatin1(key.data(), qsizetype(key.size())) + u'"'
                        : QString());
}

void PlainReader::tellHeldMissing()
{
    for (const std::string_view key : heldMissing)
        tellMissing(key);
    for (; missingBeyondHeld > 0; --missingBeyondHeld)
        missing.add(UnkeptValues::MissingMembers, QString());
    heldMissing.clear();
}

template<typename Item>
bool PlainReader::array(Item item)
{
    if (!take('['))
        return false;
    skipSpace();
    if (at < end && *at == ']') {
        ++at;
        return true;
    }
    do {
        if (!item())
            return false;
    } while (take(','));
    return take(']');
}

bool PlainReader::text(std::string &out)
{
    if (!take('"'))
        return false;
    // The toolkit's parser drops a U+FEFF written as such at the start of a text: such a
    // file is left to the general reader, which reads it alike and tells of it.
    if (QByteArrayView(at, end).startsWith("\xEF\xBB\xBF"))
        return false;
    // Most texts are plain ASCII, taken whole.
    const char *start = at;
    while (at < end && *at != '"' && *at != '\\' && static_cast<unsigned char>(*at) >= 0x20
           && static_cast<unsigned char>(*at) < 0x80)
        ++at;
    out.assign(start, at);
    while (at < end) {
        const auto c = static_cast<unsigned char>(*at);
        if (c == '"') {
            ++at;
            return true;
        }
        if (c < 0x20)
            return false;
        if (c == '\\') {
            if (!escape(out))
                return false;
        } else if (c >= 0x80) {
            const std::ptrdiff_t length = utf8Length(at, end);
            if (length == 0)
                return false;
            out.append(at, std::size_t(length));
            at += length;
        } else {
            out += char(c);
            ++at;
        }
    }
    return false;
}

bool PlainReader::hexUnit(char32_t &unit)
{
    if (end - at < 4)
        return false;
    std::uint32_t value = 0;
    const auto [last, error] = std::from_chars(at, at + 4, value, 16);
    if (error != std::errc() || last != at + 4)
        return false;
    unit = value;
    at += 4;
    return true;
}

// An escape, from its backslash. A half of a surrogate pair without its other half is
// left to the general reader, which tells of it.
bool PlainReader::escape(std::string &out)
{
    if (end - at < 2)
        return false;
    const char kind = at[1];
    at += 2;
    constexpr std::string_view escaped = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
    if (const std::size_t found = escaped.find(kind); kind != 'u' && found != std::string_view::npos) {
        out += meant[found];
        return true;
    }
    char32_t unit = 0, low = 0;
    if (kind != 'u' || !hexUnit(unit) || (unit >= 0xDC00 && unit <= 0xDFFF))
        return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        if (end - at < 2 || at[0] != '\\' || at[1] != 'u')
            return false;
        at += 2;
        if (!hexUnit(low) || low < 0xDC00 || low > 0xDFFF)
            return false;
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    // Not QString::fromUcs4(), which drops a U+FEFF as a byte-order mark.
    const QChar pair[] = { QChar(QChar::highSurrogate(unit)), QChar(QChar::lowSurrogate(unit)) };
    out += (QChar::requiresSurrogates(unit) ? QString(pair, 2) : QString(QChar(char16_t(unit)))).toStdString();
    return true;
}

// A number as JSON writes it; `whole` where it has neither fraction nor exponent.
bool PlainReader::number(std::string_view &written, bool &whole)
{
    skipSpace();
    const char *start = at;
    const auto digits = [this] {
        const char *first = at;
        while (at < end && isDigit(*at))
            ++at;
        return at > first;
    };
    if (at < end && *at == '-')
        ++at;
    if (at < end && *at == '0')
        ++at;
    else if (!digits())
        return false;
    whole = true;
    if (at < end && *at == '.') {
        ++at;
        whole = false;
        if (!digits())
            return false;
    }
    if (at < end && (*at == 'e' || *at == 'E')) {
        ++at;
        whole = false;
        if (at < end && (*at == '+' || *at == '-'))
            ++at;
        if (!digits())
            return false;
    }
    written = std::string_view(start, std::size_t(at - start));
    // The parser reads "-0" as a whole number, without its sign.
    return written != "-0";
}

// Whole prices of up to 15 digits are held exactly; longer ones may not be.
bool PlainReader::price(double &price)
{
    std::string_view written;
    bool whole = false;
    if (!number(written, whole) || (whole && written.size() > 15))
        return false;
    const char *last = written.data() + written.size();
    if (whole) {
        long long integer = 0;
        const auto result = std::from_chars(written.data(), last, integer);
        price = double(integer);
        return result.ec == std::errc();
    }
    const auto result = std::from_chars(written.data(), last, price);
    return result.ec == std::errc() && result.ptr == last;
}

// A stock is written as a signed 32-bit whole number; -1 stands for 4294967295.
bool PlainReader::stock(unsigned int &stock)
{
    std::string_view written;
    bool whole = false;
    int value = 0;
    if (!number(written, whole) || !whole)
        return false;
    const auto result = std::from_chars(written.data(), written.data() + written.size(), value);
    stock = static_cast<unsigned int>(value);
    return result.ec == std::errc();
}

// Reads entries up to the first that is not plain, whose records and missing members are
// then taken back: the general reader reads it and those after it.
void PlainReader::catalogue(PlainCatalogue::Reading &reading)
{
    std::vector<std::unique_ptr<Furniture>> &furnitures = reading.furnitures;
    const bool read = array([&] {
        const std::size_t first = furnitures.size();
        const UnkeptValues missingBefore = missing;
        unsigned int seen = 0;
        if (object(std::array<std::string_view, 1> { "category" },
                   [&](std::size_t) { return category(furnitures); }, seen)
            && seen == 1) {
            ++reading.entries;
            return true;
        }
        furnitures.erase(furnitures.begin() + std::ptrdiff_t(first), furnitures.end());
        missing = missingBefore;
        return false;
    });
    skipSpace();
    reading.whole = read && at == end;
}

// The elements come before the name, as Save writes them; they take it once it is read. A
// category without a name is left to the general reader, which tells of it before its
// elements.
bool PlainReader::category(std::vector<std::unique_ptr<Furniture>> &furnitures)
{
    const std::size_t first = furnitures.size();
    std::string name;
    unsigned int seen = 0;
    const bool read = object(std::array<std::string_view, 2> { "elements", "name" }, [&](std::size_t key) {
        return key == 0 ? array([&] { return element(furnitures); }) : text(name);
    }, seen);
    if (!read || seen != 3 || furnitures.size() == first)
        return false;
    for (std::size_t i = first; i < furnitures.size(); ++i)
        furnitures[i]->setCategory(name);
    return true;
}

// A member the element lacks reads as an empty text, no measures or no variants.
bool PlainReader::element(std::vector<std::unique_ptr<Furniture>> &furnitures)
{
    std::string name, description, designer;
    std::array<std::string, 4> measures;
    std::vector<Form> forms;
    unsigned int seen = 0, measuresSeen = 0;
    const bool read = object(elementKeys, [&](std::size_t key) {
        switch (key) {
        case 0:
            return text(name);
        case 1:
            return text(description);
        case 2:
            return text(designer);
        case 3:
            return object(measureKeys, [&](std::size_t measure) { return text(measures[measure]); }, measuresSeen);
        default:
            return array([&] { return variant(forms); });
        }
    }, seen);
    if (!read)
        return false;
    noteMissing(elementKeys, seen);
    if (seen & 1u << 3)
        noteMissing(measureKeys, measuresSeen);
    tellHeldMissing();
    furnitures.push_back(std::make_unique<Furniture>(std::string(), std::move(name), std::move(description),
                                                     std::move(designer),
                                                     Dimension(std::move(measures[0]), std::move(measures[1]),
                                                               std::move(measures[2]), std::move(measures[3])),
                                                     std::move(forms)));
    return true;
}

// A variant without values has neither colour, price nor stock; a missing price or stock
// reads as 0.
bool PlainReader::variant(std::vector<Form> &forms)
{
    std::string id, photo, color;
    double price = 0;
    unsigned int stock = 0;
    unsigned int seen = 0, valuesSeen = 0;
    const auto values = [&](std::size_t key) {
        switch (key) {
        case 0:
            return text(color);
        case 1:
            return this->price(price);
        default:
            return this->stock(stock);
        }
    };
    const bool read = object(variantKeys, [&](std::size_t key) {
        switch (key) {
        case 0:
            return text(id);
        case 1:
            return text(photo);
        default:
            return object(valueKeys, values, valuesSeen);
        }
    }, seen);
    if (!read)
        return false;
    holdMissing(variantKeys, seen);
    if (seen & 1u << 2)
        holdMissing(valueKeys, valuesSeen);
    forms.emplace_back(std::move(id), std::move(photo), std::move(color), price, stock);
    return true;
}

} // namespace

PlainCatalogue::Reading PlainCatalogue::read(QByteArrayView bytes)
{
    Reading reading;
    PlainReader(bytes, reading.missing).catalogue(reading);
    return reading;
}
