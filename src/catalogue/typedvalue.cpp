#include "typedvalue.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Spaces of every width and apostrophes group thousands whatever the decimal mark.
bool isGroupSpace(QChar c)
{
    return c == u' ' || c == u'\u00a0' || c == u'\u202f' || c == u'\'' || c == u'\u2019';
}

bool isCurrencyCode(QStringView text)
{
    if (text.size() != 3)
        return false;
    for (QChar c : text)
        if (c < u'A' || c > u'Z')
            return false;
    return true;
}

// The length of a currency sign or code at the start of `text` (from its end with
// `atEnd`), or 0.
qsizetype currencyLength(QStringView text, bool atEnd)
{
    if (text.isEmpty())
        return 0;
    const QChar edge = atEnd ? text.back() : text.front();
    if (edge.category() == QChar::Symbol_Currency)
        return 1;
    if (text.size() < 3)
        return 0;
    const QStringView code = atEnd ? text.right(3) : text.left(3);
    const bool standsAlone = text.size() == 3 || !(atEnd ? text[text.size() - 4] : text[3]).isLetter();
    return isCurrencyCode(code) && standsAlone ? 3 : 0;
}

// Takes a currency off the start of `text`, or else off its end; a second one is left for
// the digits to refuse.
void dropCurrency(QStringView &text)
{
    if (const qsizetype length = currencyLength(text, false))
        text = text.mid(length).trimmed();
    else if (const qsizetype length = currencyLength(text, true))
        text = text.chopped(length).trimmed();
}

// Takes a sign off the start of `text`; true when it was a minus.
bool takeMinus(QStringView &text)
{
    if (text.isEmpty())
        return false;
    const QChar sign = text.front();
    if (sign != u'-' && sign != u'\u2212' && sign != u'+')
        return false;
    text = text.mid(1).trimmed();
    return sign != u'+';
}

// Which of "." and "," separates the decimals in `text`, if any, and which groups thousands.
// A second decimal mark is left for the decimals to refuse.
struct Marks
{
    QChar decimal;
    QChar group;
};

Marks marksOf(QStringView text, QChar preferredDecimal)
{
    const qsizetype dots = text.count(u'.'), commas = text.count(u',');
    if (dots > 0 && commas > 0) {
        const QChar decimal = text.lastIndexOf(u'.') > text.lastIndexOf(u',') ? u'.' : u',';
        return { decimal, decimal == u'.' ? u',' : u'.' };
    }
    if (dots + commas == 0)
        return {};
    const QChar mark = dots > 0 ? u'.' : u',';
    if (dots + commas > 1)
        return { QChar(), mark };
    // A lone mark before three digits, after a first group of one to three: "1,049".
    const qsizetype at = text.indexOf(mark);
    qsizetype groupStart = at;
    while (groupStart > 0 && isDigit(text[groupStart - 1]))
        --groupStart;
    const qsizetype before = at - groupStart;
    const QStringView after = text.mid(at + 1);
    const bool grouping = mark != preferredDecimal && after.size() == 3 && isDigit(after[0]) && isDigit(after[1])
            && isDigit(after[2]) && before >= 1 && before <= 3 && text[groupStart] != u'0';
    return grouping ? Marks { QChar(), mark } : Marks { mark, QChar() };
}

// The digits of a whole part written with or without thousands groups: a first group of
// one to three digits, then groups of three. Empty where it is not so written.
std::string wholeDigits(QStringView text, QChar groupMark, bool &valid)
{
    std::string digits;
    qsizetype groupLength = 0;
    bool grouped = false;
    valid = true;
    for (QChar c : text) {
        if (isDigit(c)) {
            digits += char(c.unicode());
            ++groupLength;
            continue;
        }
        const bool separator = isGroupSpace(c) || (!groupMark.isNull() && c == groupMark);
        if (!separator || groupLength == 0 || groupLength > 3 || (grouped && groupLength != 3)) {
            valid = false;
            return {};
        }
        grouped = true;
        groupLength = 0;
    }
    if (grouped && groupLength != 3)
        valid = false;
    return digits;
}

// Takes a power of ten, as in "1e-07" or "2.5E3", off the end of `text`; false where it is
// not whole. Powers past four digits are held at 9999, which is past every value anyway.
bool takeExponent(QStringView &text, int &exponent)
{
    qsizetype at = text.size();
    while (at > 0 && text[at - 1] != u'e' && text[at - 1] != u'E')
        --at;
    if (at == 0)
        return true;
    QStringView power = text.mid(at);
    text = text.left(at - 1);
    const bool negative = !power.isEmpty() && power.front() == u'-';
    if (!power.isEmpty() && (power.front() == u'-' || power.front() == u'+'))
        power = power.mid(1);
    if (power.isEmpty() || text.isEmpty() || !isDigit(text.back()))
        return false;
    for (QChar c : power) {
        if (!isDigit(c))
            return false;
        exponent = std::min(exponent * 10 + (c.unicode() - '0'), 9999);
    }
    if (negative)
        exponent = -exponent;
    return true;
}

} // namespace

TypedValue::Reading TypedValue::read(QStringView text, Kind kind, QChar decimalMark)
{
    text = text.trimmed();
    if (text.isEmpty())
        return {};
    bool negative = takeMinus(text);
    dropCurrency(text);
    if (!negative)
        negative = takeMinus(text);

    int exponent = 0;
    if (!takeExponent(text, exponent))
        return { NotANumber };
    const Marks marks = marksOf(text, decimalMark);
    const qsizetype point = marks.decimal.isNull() ? -1 : text.indexOf(marks.decimal);
    bool valid = false;
    std::string whole = wholeDigits(point < 0 ? text : text.left(point), marks.group, valid);
    std::string decimals;
    if (point >= 0) {
        for (QChar c : text.mid(point + 1)) {
            if (!isDigit(c))
                return { NotANumber };
            decimals += char(c.unicode());
        }
    }
    if (!valid || (whole.empty() && decimals.empty()))
        return { NotANumber };

    const std::string written = (whole.empty() ? "0" : whole) + '.' + (decimals.empty() ? "0" : decimals) + 'e'
            + std::to_string(exponent);
    Reading reading { Read, 0 };
    if (std::from_chars(written.data(), written.data() + written.size(), reading.value).ec != std::errc())
        reading.value = std::numeric_limits<double>::infinity();
    // The decimals the number has: its digits times ten to the minus `scale`, without the
    // zeros that end them.
    std::string digits = whole + decimals;
    long scale = long(decimals.size()) - exponent;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        --scale;
    }
    if (digits.find_first_not_of('0') == std::string::npos)
        scale = 0;
    reading.decimals = int(std::clamp(scale, 0L, 9999L));
    if (negative && reading.value != 0) {
        reading.outcome = Negative;
        reading.value = -reading.value;
    } else if (kind == Price && scale > 2) {
        reading.outcome = TooManyDecimals;
    } else if (kind == Stock && scale > 0) {
        reading.outcome = NotWhole;
    } else if (reading.value > (kind == Price ? maxPrice : double(maxStock))) {
        reading.outcome = TooLarge;
    }
    return reading;
}
