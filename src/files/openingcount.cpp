#include "openingcount.h"

#include "unkeptvalues.h"

#include <algorithm>
#include <array>

namespace {

// Bytes that stop the walk through a text: its closing quote, an escape, and the control
// characters that JSON has escaped, which the toolkit's parser takes as they are.
constexpr std::array<bool, 256> textStops = [] {
    std::array<bool, 256> stops {};
    for (int c = 0; c < 0x20; ++c)
        stops[std::size_t(c)] = true;
    stops['"'] = stops['\\'] = true;
    return stops;
}();

// The quote that ends a text starting at `start`, or `end`; whether the text holds an
// escape, and a control character written as such.
const char *closingQuote(const char *start, const char *end, bool &escaped, bool &controlled)
{
    escaped = controlled = false;
    for (const char *at = start; at < end; ++at) {
        while (at < end && !textStops[static_cast<unsigned char>(*at)])
            ++at;
        if (at == end || *at == '"')
            return at;
        if (*at == '\\') {
            escaped = true;
            if (++at == end)
                break;
        } else {
            controlled = true;
        }
    }
    return end;
}

// Bytes that only matter where a value starts: white space and the rest of numbers and
// of true, false and null. Skipping them in a tight loop keeps the pass at a few
// percent of a parse.
constexpr std::array<bool, 256> plainBytes = [] {
    std::array<bool, 256> plain {};
    for (const unsigned char c : QByteArrayView(" \t\n\r+-.0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        plain[c] = true;
    return plain;
}();

} // namespace

void OpeningCount::scan(QByteArrayView bytes, UnkeptBytesCheck *check, qint64 limit)
{
    for (const char *at = bytes.begin(), *end = bytes.end(); at < end; ++at) {
        if ((items & 0xFFFF) == 0 && items > 0) {
            for (const Level &level : levels)
                largest = std::max(largest, level.count);
            if (this->bytes(bytes.size()) > limit)
                return;
        }
        if (!expectValue) {
            while (at < end && plainBytes[static_cast<unsigned char>(*at)])
                ++at;
            if (at == end)
                break;
        }
        switch (*at) {
        case '"': {
            // Most of a file is texts: their ends are found through a table of the bytes that
            // may end them.
            const char *start = at + 1;
            bool escaped = false, controlled = false;
            at = closingQuote(start, end, escaped, controlled);
            const qsizetype size = at - start;
            if (check && at < end)
                check->text(QByteArrayView(start - 1, size + 2), escaped, controlled, expectKey);
            texts += size;
            longestText = std::max<qint64>(longestText, size);
            if (expectKey) {
                key = QByteArrayView(start, size);
                keyEscaped = escaped;
                expectKey = false;
                ++items;
                if (!levels.empty()) {
                    levels.back().holds = true;
                    ++levels.back().count;
                }
            } else {
                value('"', size);
            }
            break;
        }
        case '{':
        case '[':
            if (check && *at == '{')
                check->objectStarts();
            value(*at, 0);
            break;
        case '}':
        case ']':
            if (check && *at == '}')
                check->objectEnds();
            close();
            break;
        case ',':
            expectKey = !levels.empty() && levels.back().object;
            expectValue = !expectKey;
            break;
        case ':':
            expectValue = true;
            break;
        case ' ':
        case '\t':
        case '\n':
        case '\r':
            break;
        default:
            if (check && expectValue) {
                const char *last = at;
                while (last < end && *last > ' ' && plainBytes[static_cast<unsigned char>(*last)])
                    ++last;
                const bool variantValue = !levels.empty() && levels.back().role == Values;
                check->value(QByteArrayView(at, last), variantValue ? key : QByteArrayView(), keyEscaped);
            }
            value(*at, 0);
        }
    }
}

// A value starts with `first`; a container becomes the innermost level.
void OpeningCount::value(char first, qint64 textSize)
{
    const bool container = first == '{' || first == '[';
    if (!expectValue && !container)
        return;
    items += expectValue;
    if (expectValue && !levels.empty()) {
        levels.back().holds = true;
        ++levels.back().count;
    }
    expectValue = false;
    const Role parent = levels.empty() ? Other : levels.back().role;
    if (parent == Elements) {
        ++elements;
        if (levels.size() >= 2)
            ++levels[levels.size() - 2].elements;
    } else if (parent == Variants) {
        ++variants;
    } else if (parent == Category && first == '"' && keyIs("name")) {
        levels.back().nameSize = std::max(levels.back().nameSize, textSize);
    }
    if (!container)
        return;
    Role role = Other;
    if (first == '[') {
        role = levels.empty() ? Entries
                : parent == Category && keyIs("elements") ? Elements
                : parent == Element && keyIs("specificite") ? Variants : Other;
    } else {
        role = parent == Entries ? Entry
                : parent == Entry && keyIs("category") ? Category
                : parent == Elements ? Element
                : parent == Variants ? Variant
                : parent == Variant && keyIs("sous-formulaire") ? Values : Other;
    }
    levels.push_back({ role, first == '{' });
    expectKey = first == '{';
    expectValue = first == '[';
}

void OpeningCount::close()
{
    if (levels.empty())
        return;
    if (levels.back().role == Category) {
        namesCopied += levels.back().nameSize * levels.back().elements;
        ++categories;
    }
    containers += levels.back().holds;
    largest = std::max(largest, levels.back().count);
    levels.pop_back();
    expectKey = expectValue = false;
}

// The parse holds the file's bytes, its values and their texts (in UTF-16 at most); the
// records then add their own copies of the texts, and the longest text is converted once
// more on its way.
qint64 OpeningCount::bytes(qint64 fileSize) const
{
    constexpr qint64 treeRow = 300;
    const qint64 parsed = fileSize + 24 * items + 64 * largest + 192 * containers + 2 * texts;
    const qint64 built = (records.element + 48) * elements + (records.variant + 16) * variants
            + texts + namesCopied + 4 * longestText;
    // A tree row, and the list of what the tree shows (measured by the benchmark's worst files).
    const qint64 tree = treeRow * (categories + elements + variants) + 8 * variants;
    return parsed + built + tree;
}

