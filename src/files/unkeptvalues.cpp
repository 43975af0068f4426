#include "unkeptvalues.h"

#include "indentedjsonwriter.h"

#include <QByteArray>
#include <QCborArray>
#include <QCborMap>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

void UnkeptValues::add(Kind kind, const QString &example)
{
    Finding &finding = findings[kind];
    ++finding.count;
    if (!example.isEmpty() && finding.examples.size() < maxExamples
        && !finding.examples.contains(example))
        finding.examples << example;
}

bool UnkeptValues::isEmpty() const
{
    return std::all_of(findings.begin(), findings.end(),
                       [](const Finding &finding) { return finding.count == 0; });
}

namespace {

constexpr int longest = 24;

QString cutShort(const QString &text)
{
    return text.size() > longest ? text.left(longest - 1) + u'…' : text;
}

void appendUtf8(std::string &text, char32_t c)
{
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xC0 | (c >> 6));
        text += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += char(0xE0 | (c >> 12));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    } else {
        text += char(0xF0 | (c >> 18));
        text += char(0x80 | ((c >> 12) & 0x3F));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    }
}

// Appends to `text` the text a JSON string stands for, given as written between its
// quotes, in UTF-8, which is never longer than what is written; an escaped half of a
// surrogate pair that stands alone is kept in the same three-byte form, so that different
// halves stay different texts, and `brokenPair` tells of it.
void appendUnescaped(std::string &text, QByteArrayView written, bool &brokenPair)
{
    brokenPair = false;
    char32_t high = 0; // a high half waiting for its low half
    for (qsizetype at = 0; at < written.size(); ++at) {
        char32_t unit = static_cast<unsigned char>(written[at]);
        const bool hex = unit == '\\' && at + 5 < written.size() && written[at + 1] == 'u';
        if (hex) {
            bool whole = false;
            unit = written.sliced(at + 2, 4).toUInt(&whole, 16);
            at += 5;
        }
        const bool low = hex && unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && low) {
            appendUtf8(text, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
            high = 0;
            continue;
        }
        if (high || low)
            brokenPair = true;
        if (high)
            appendUtf8(text, std::exchange(high, 0));
        if (hex && unit >= 0xD800 && unit <= 0xDBFF) {
            high = unit;
        } else if (hex) {
            appendUtf8(text, unit);
        } else if (unit == '\\' && ++at < written.size()) {
            const qsizetype plain = QByteArrayView("bfnrt").indexOf(written[at]);
            text += plain < 0 ? written[at] : "\b\f\n\r\t"[plain];
        } else {
            text += char(unit);
        }
    }
    if (high) {
        brokenPair = true;
        appendUtf8(text, high);
    }
}

bool mayEscapeSurrogate(QByteArrayView written)
{
    for (qsizetype at = written.indexOf("\\u"); at >= 0 && at + 3 < written.size();
         at = written.indexOf("\\u", at + 2)) {
        const char high = written[at + 2], next = written[at + 3];
        if ((high == 'd' || high == 'D') && QByteArrayView("89abcdefABCDEF").contains(next))
            return true;
    }
    return false;
}

// A value as compact JSON text, written only as far as it is shown: a long text or a large
// list is never converted whole.
void appendJson(QString &text, const QCborValue &value)
{
    if (text.size() > longest)
        return;
    if (value.isArray() || value.isMap()) {
        text += value.isMap() ? u'{' : u'[';
        const auto separate = [&text] {
            if (!text.endsWith(u'{') && !text.endsWith(u'['))
                text += u',';
        };
        if (value.isMap()) {
            for (auto member = value.toMap().constBegin(); member != value.toMap().constEnd() && text.size() <= longest; ++member) {
                separate();
                appendJson(text, member.key());
                text += u':';
                appendJson(text, member.value());
            }
        } else {
            for (const QCborValue &item : value.toArray()) {
                if (text.size() > longest)
                    break;
                separate();
                appendJson(text, item);
            }
        }
        text += value.isMap() ? u'}' : u']';
        return;
    }
    const QJsonValue shown = value.isString() ? QJsonValue(value.toString().left(longest + 1)) : value.toJsonValue();
    const QByteArray array = QJsonDocument(QJsonArray{ shown }).toJson(QJsonDocument::Compact);
    text += QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString jsonText(const QCborValue &value)
{
    QString text;
    appendJson(text, value);
    return cutShort(text);
}

// The text a Save writes for a price.
QByteArray savedNumber(double price)
{
    IndentedJsonWriter out;
    out.beginArray();
    out.member({}, price);
    out.endArray();
    const QByteArray text = out.text();
    return text.mid(1, text.lastIndexOf(']') - 1).trimmed();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether the toolkit's parser takes `written` as a number where JSON does not: a point
// without a digit on each side, as in 1., .5 and 1.e5. A number JSON lacks otherwise, such
// as 01, +1 or 1e, does not parse.
bool isLooseNumber(QByteArrayView written)
{
    const qsizetype point = written.indexOf('.');
    return point >= 0
            && (point == 0 || !isDigit(written[point - 1]) || point + 1 == written.size() || !isDigit(written[point + 1]));
}

// The exact value of a number as written, 0.digits x 10^exponent, the digits without
// leading or trailing zeros: 12.50, 1.25e1 and 0.125e2 are one value. Zero, of either
// sign, has no digits.
struct Decimal
{
    bool negative = false;
    std::string digits;
    qint64 exponent = 0;

    bool operator==(const Decimal &other) const
    {
        return negative == other.negative && digits == other.digits && exponent == other.exponent;
    }
    bool operator!=(const Decimal &other) const { return !(*this == other); }
};

Decimal decimalOf(QByteArrayView written)
{
    Decimal decimal;
    decimal.negative = written.startsWith('-');
    qsizetype at = decimal.negative ? 1 : 0;
    bool fraction = false;
    for (; at < written.size() && (isDigit(written[at]) || written[at] == '.'); ++at) {
        if (written[at] == '.') {
            fraction = true;
        } else if (!decimal.digits.empty() || written[at] != '0') {
            decimal.digits += written[at];
            decimal.exponent += !fraction;
        } else {
            decimal.exponent -= fraction;
        }
    }
    // An exponent beyond any double's is bounded, far from any a Save writes.
    qint64 power = 0;
    for (qsizetype digit = at + 1; digit < written.size(); ++digit)
        if (isDigit(written[digit]))
            power = std::min<qint64>(power * 10 + (written[digit] - '0'), 1'000'000);
    decimal.exponent += at + 1 < written.size() && written[at + 1] == '-' ? -power : power;
    while (!decimal.digits.empty() && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal.digits.empty() ? Decimal() : decimal;
}

// Whether a Save writes back a number of this value, whatever it reads as: a double takes
// any 15 significant digits within its normal range and gives them back as its shortest
// text, as a Save writes it.
bool keptAsWritten(const Decimal &value)
{
    return value.digits.size() <= 15 && value.exponent >= -300 && value.exponent <= 300;
}

// Whether `written` holds an escape JSON does not have, such as \a or \x00: the parser
// keeps the letter and drops the backslash.
bool holdsUnknownEscape(QByteArrayView written)
{
    for (qsizetype at = written.indexOf('\\'); at >= 0 && at + 1 < written.size(); at = written.indexOf('\\', at + 2))
        if (!QByteArrayView("\"\\/bfnrtu").contains(written[at + 1]))
            return true;
    return false;
}

// A text as an example, its control characters shown as their pictures (U+2400 on).
QString withControlPictures(QByteArrayView quoted)
{
    QString text = QString::fromUtf8(quoted);
    for (QChar &c : text)
        if (c.unicode() < 0x20)
            c = QChar(char16_t(0x2400 + c.unicode()));
    return text;
}

} // namespace

void UnkeptValuesCheck::note(UnkeptValues::Kind kind, const QCborValue &example)
{
    found.add(kind, found.wantsExample(kind) ? jsonText(example) : QString());
}

void UnkeptValuesCheck::missing(QLatin1StringView key)
{
    found.add(UnkeptValues::MissingMembers,
              found.wantsExample(UnkeptValues::MissingMembers) ? u'"' + key + u'"' : QString());
}

void UnkeptValuesCheck::wrongType(const Member &member)
{
    found.add(UnkeptValues::WrongTypes, found.wantsExample(UnkeptValues::WrongTypes)
                      ? member.key + ": "_L1 + jsonText(member.value)
                      : QString());
}

void UnkeptValuesCheck::entry(const QCborValue &entry, const QCborValue &category)
{
    if (!entry.isMap())
        return note(UnkeptValues::NonObjectEntries, entry);
    // A missing category is told of as a category without elements.
    members(entry.toMap(), { { "category"_L1, Expected::Object, category } }, false);
    if (category.isUndefined())
        note(UnkeptValues::EmptyCategories, entry);
}

void UnkeptValuesCheck::category(const QCborValue &category, const QCborValue &name,
                                 const QCborValue &elements)
{
    if (!category.isMap())
        return;
    // A category without elements is not saved, so neither is a name it lacks.
    const bool saved = !elements.toArray().isEmpty();
    members(category.toMap(), { { "name"_L1, Expected::Text, name },
                                { "elements"_L1, Expected::Array, elements } }, false);
    if (saved && name.isUndefined())
        missing("name"_L1);
    if (!saved)
        note(UnkeptValues::EmptyCategories, name.toString());
}

void UnkeptValuesCheck::listed(const QCborValue &value, const QCborMap &object,
                               std::initializer_list<Member> known)
{
    if (value.isMap())
        members(object, known);
    else
        note(UnkeptValues::NonObjectEntries, value);
}

// Only an object holding more members than the loader looked up is walked for the
// unknown ones.
void UnkeptValuesCheck::members(const QCborMap &object, std::initializer_list<Member> known, bool present)
{
    qsizetype lookedUp = 0;
    for (const Member &member : known) {
        if (member.value.isUndefined()) {
            if (present)
                missing(member.key);
            continue;
        }
        ++lookedUp;
        check(member);
    }
    if (lookedUp == object.size())
        return;
    // The parser holds a key written with a leading U+FEFF as it stands, so no lookup finds
    // it, yet gives its text without the mark: read as a known key more often than that key
    // was found, it is one of those, and its value is not saved either.
    std::array<qsizetype, 8> read {};
    for (auto member = object.constBegin(); member != object.constEnd(); ++member) {
        const QString key = member.key().toString();
        const auto knownMember = std::find_if(known.begin(), known.end(),
                                              [&key](const Member &knownMember) { return key == knownMember.key; });
        if (knownMember == known.end())
            note(UnkeptValues::UnknownKeys, member.key());
        else if (const std::size_t at = std::size_t(knownMember - known.begin());
                 at < read.size() && ++read[at] > (knownMember->value.isUndefined() ? 0 : 1))
            found.add(UnkeptValues::UnknownKeys, found.wantsExample(UnkeptValues::UnknownKeys)
                              ? "\"\\ufeff"_L1 + key + u'"'
                              : QString());
    }
}

void UnkeptValuesCheck::check(const Member &member)
{
    const QCborValue &value = member.value;
    switch (member.type) {
    case Expected::Text:
        if (!value.isString())
            wrongType(member);
        break;
    case Expected::Measure:
        if (value.isInteger() || value.isDouble())
            note(UnkeptValues::MeasuresAsNumbers, value);
        else if (!value.isString())
            wrongType(member);
        break;
    case Expected::Price:
        price(member);
        break;
    case Expected::Stock:
        stock(member);
        break;
    case Expected::Object:
        if (!value.isMap())
            wrongType(member);
        break;
    case Expected::Array:
        if (!value.isArray())
            wrongType(member);
        break;
    }
}

// A number that a Save writes as another is told of by the pass over the bytes, which sees
// it as written.
void UnkeptValuesCheck::price(const Member &member)
{
    const QCborValue &price = member.value;
    if (price.isString())
        note(UnkeptValues::PricesAsText, price);
    else if (!price.isInteger() && !price.isDouble())
        wrongType(member);
}

// A stock is held as an unsigned 32-bit count and written as a signed 32-bit number.
void UnkeptValuesCheck::stock(const Member &member)
{
    const QCborValue &stock = member.value;
    if (stock.isString())
        return note(UnkeptValues::StocksAsText, stock);
    if (!stock.isInteger() && !stock.isDouble())
        return wrongType(member);
    const double number = stock.toDouble();
    if (stock.isDouble() && number != std::floor(number))
        note(UnkeptValues::StocksWithFraction, stock);
    else if (stock.isInteger() ? stock.toInteger() < INT_MIN || stock.toInteger() > INT_MAX
                               : number < INT_MIN || number > INT_MAX)
        note(UnkeptValues::StocksOutOfRange, stock);
}

void UnkeptBytesCheck::objectStarts()
{
    openObjects.push_back(keys.size());
}

// Notes the keys the object holds more than once, each repeat counted, and lets go of them.
// An object of one key holds no repeat, so its key is never decoded.
void UnkeptBytesCheck::objectEnds()
{
    if (openObjects.empty())
        return;
    const auto first = keys.begin() + std::ptrdiff_t(openObjects.back());
    openObjects.pop_back();
    if (keys.end() - first > 1) {
        // "\u0061" and "a" are one key.
        // Decoded into one text, reserved whole so that the views into it stay valid.
        std::string decoded;
        decoded.reserve(std::accumulate(first, keys.end(), std::size_t(0), [](std::size_t size, const Key &key) {
            return size + (key.escaped ? key.text.size() : 0);
        }));
        bool brokenPair = false;
        for (auto key = first; key != keys.end(); ++key) {
            if (key->escaped) {
                const std::size_t start = decoded.size();
                appendUnescaped(decoded, key->text, brokenPair);
                key->text = std::string_view(decoded).substr(start);
            }
        }
        std::sort(first, keys.end(), [](const Key &a, const Key &b) { return a.text < b.text; });
        for (auto key = first; keys.end() - key > 1; ++key) {
            if (key[0].text == key[1].text)
                found.add(UnkeptValues::DuplicateKeys,
                          found.wantsExample(UnkeptValues::DuplicateKeys)
                                  ? jsonText(QString::fromUtf8(key[1].text.data(), qsizetype(key[1].text.size())))
                                  : QString());
        }
    }
    keys.erase(first, keys.end());
}

void UnkeptBytesCheck::tell(UnkeptValues::Kind kind, QByteArrayView written)
{
    found.add(kind, found.wantsExample(kind) ? cutShort(QString::fromUtf8(written)) : QString());
}

void UnkeptBytesCheck::text(QByteArrayView quoted, bool escaped, bool controlled, bool isKey)
{
    const QByteArrayView inner = quoted.sliced(1, quoted.size() - 2);
    // Only an escaped surrogate, \uD800 to \uDFFF, can leave half a pair.
    bool brokenPair = false;
    std::string decoded;
    if (escaped && mayEscapeSurrogate(inner) && (appendUnescaped(decoded, inner, brokenPair), brokenPair))
        tell(UnkeptValues::BrokenTexts, quoted);
    if (escaped && holdsUnknownEscape(inner))
        tell(UnkeptValues::UnknownEscapes, quoted);
    if (controlled)
        found.add(UnkeptValues::RawControlCharacters, found.wantsExample(UnkeptValues::RawControlCharacters)
                          ? cutShort(withControlPictures(quoted)) : QString());
    if (!isKey && inner.startsWith("\xEF\xBB\xBF"))
        found.add(UnkeptValues::LeadingByteOrderMarks,
                  found.wantsExample(UnkeptValues::LeadingByteOrderMarks)
                          ? cutShort("\"\\ufeff"_L1 + QString::fromUtf8(inner.sliced(3)) + u'"')
                          : QString());
    if (isKey && !openObjects.empty())
        keys.push_back({ std::string_view(inner.data(), std::size_t(inner.size())), escaped });
}

// A Save writes every number in its own form, so a price or stock is told of only where it
// writes another value, the two compared as exact decimals. A price is held as a double,
// which a Save writes as its shortest text: 99999999999999999999, 99999999999999999999.0 and
// 9.9999999999999999999e19 come back as 1e+20, 9007199254740993 as 9007199254740992, where
// 12.50 and 1.25e1 come back as 12.5, the same value. A stock is written as the whole
// number the parser reads: 4.0000000000000001 comes back as 4; one the parser reads with a
// fraction or beyond 32 bits is saved as 0, which the loader's check tells of.
void UnkeptBytesCheck::value(QByteArrayView written, QByteArrayView key, bool keyEscaped)
{
    if (written.isEmpty() || !(isDigit(written[0]) || written[0] == '-' || written[0] == '.'))
        return;
    if (isLooseNumber(written))
        tell(UnkeptValues::LooseNumbers, written);
    if (key.isNull())
        return;
    std::string unescaped;
    bool brokenPair = false;
    if (keyEscaped)
        appendUnescaped(unescaped, key, brokenPair);
    const QByteArrayView name = keyEscaped ? QByteArrayView(unescaped.data(), qsizetype(unescaped.size())) : key;
    const bool price = name == "price";
    // Most numbers have no exponent and at most 15 characters, so at most 15 digits.
    if ((!price && name != "stock") || (written.size() <= 15 && !written.contains('e') && !written.contains('E')))
        return;
    const Decimal value = decimalOf(written);
    if (keptAsWritten(value))
        return;
    bool read = false;
    const double number = written.toDouble(&read);
    if (!read)
        return; // nor does the file parse
    const bool whole = number == std::floor(number) && number >= INT_MIN && number <= INT_MAX;
    if (price && decimalOf(savedNumber(number)) != value)
        tell(UnkeptValues::InexactPrices, written);
    else if (!price && whole && decimalOf(QByteArray::number(int(number))) != value)
        tell(UnkeptValues::InexactStocks, written);
}
