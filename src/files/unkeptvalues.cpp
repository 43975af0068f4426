#include "unkeptvalues.h"

#include "indentedjsonwriter.h"

#include <QByteArray>
#include <QCborArray>
#include <QCborMap>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <climits>
#include <deque>
#include <cmath>

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

QString cutShort(const QString &text)
{
    constexpr int longest = 24;
    return text.size() > longest ? text.left(longest - 1) + u'…' : text;
}

// A value as JSON text, cut short where long.
// The text a JSON string stands for, given as written between its quotes.
QString unescaped(QByteArrayView written)
{
    return QJsonDocument::fromJson('[' + written.toByteArray().prepend('"').append('"') + ']')
            .array()
            .at(0)
            .toString();
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

QString jsonText(const QCborValue &value)
{
    const QByteArray array =
            QJsonDocument(QJsonArray{ value.toJsonValue() }).toJson(QJsonDocument::Compact);
    return cutShort(QString::fromUtf8(array.mid(1, array.size() - 2)));
}

// Whether a Save writes `whole`, held as a double, so that it reads back as `whole`:
// 92007199254741000 does, 9007199254740993 comes back as 9007199254740992.
bool readsBackAs(qint64 whole)
{
    IndentedJsonWriter out;
    out.beginArray();
    out.member({}, double(whole));
    out.endArray();
    const QJsonValue reread = QJsonDocument::fromJson(out.text()).array().at(0);
    const QCborValue value = QCborValue::fromJsonValue(reread);
    return value.isInteger() && value.toInteger() == whole;
}

} // namespace

void UnkeptValuesCheck::note(UnkeptValues::Kind kind, const QCborValue &example)
{
    found.add(kind, wantsExample(kind) ? jsonText(example) : QString());
}

void UnkeptValuesCheck::wrongType(const Member &member)
{
    found.add(UnkeptValues::WrongTypes, wantsExample(UnkeptValues::WrongTypes)
                      ? member.key + ": "_L1 + jsonText(member.value)
                      : QString());
}

void UnkeptValuesCheck::entry(const QCborValue &entry, const QCborValue &category)
{
    if (!entry.isMap())
        return note(UnkeptValues::NonObjectEntries, entry);
    members(entry.toMap(), { { "category"_L1, Expected::Object, category } });
    if (category.isUndefined())
        note(UnkeptValues::EmptyCategories, entry);
}

void UnkeptValuesCheck::category(const QCborValue &category, const QCborValue &name,
                                 const QCborValue &elements)
{
    if (!category.isMap())
        return;
    members(category.toMap(), { { "name"_L1, Expected::Text, name },
                                { "elements"_L1, Expected::Array, elements } });
    if (elements.toArray().isEmpty())
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
void UnkeptValuesCheck::members(const QCborMap &object, std::initializer_list<Member> known)
{
    qsizetype present = 0;
    for (const Member &member : known) {
        if (member.value.isUndefined())
            continue;
        ++present;
        check(member);
    }
    if (present == object.size())
        return;
    for (auto member = object.constBegin(); member != object.constEnd(); ++member) {
        const QString key = member.key().toString();
        if (std::none_of(known.begin(), known.end(),
                         [&key](const Member &knownMember) { return key == knownMember.key; }))
            note(UnkeptValues::UnknownKeys, member.key());
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

void UnkeptValuesCheck::price(const Member &member)
{
    const QCborValue &price = member.value;
    if (price.isInteger()) {
        // A price is a double: a whole number beyond 2^53 may come back as another.
        constexpr qint64 exact = qint64(1) << 53;
        const qint64 whole = price.toInteger();
        if ((whole > exact || whole < -exact) && !readsBackAs(whole))
            note(UnkeptValues::InexactPrices, price);
    } else if (price.isString()) {
        note(UnkeptValues::PricesAsText, price);
    } else if (!price.isDouble()) {
        wrongType(member);
    }
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
        std::deque<std::string> decoded;
        for (auto key = first; key != keys.end(); ++key) {
            if (key->escaped)
                key->text = decoded.emplace_back(unescaped(key->text).toStdString());
        }
        std::sort(first, keys.end(), [](const Key &a, const Key &b) { return a.text < b.text; });
        for (auto key = first; keys.end() - key > 1; ++key) {
            if (key[0].text == key[1].text)
                found.add(UnkeptValues::DuplicateKeys,
                          jsonText(QString::fromUtf8(key[1].text.data(), qsizetype(key[1].text.size()))));
        }
    }
    keys.erase(first, keys.end());
}

void UnkeptBytesCheck::text(QByteArrayView quoted, bool escaped, bool isKey)
{
    const QByteArrayView inner = quoted.sliced(1, quoted.size() - 2);
    // Only an escaped surrogate, \uD800 to \uDFFF, can leave half a pair.
    if (escaped && mayEscapeSurrogate(inner) && !QStringView(unescaped(inner)).isValidUtf16())
        found.add(UnkeptValues::BrokenTexts, cutShort(QString::fromUtf8(quoted)));
    if (isKey && !openObjects.empty())
        keys.push_back({ std::string_view(inner.data(), std::size_t(inner.size())), escaped });
}
