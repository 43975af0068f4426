#include "openingcount.h"

#include "unkeptvalues.h"

#include <algorithm>
#include <array>

namespace {

// The quote that ends a text starting at `start`, or `end`; and whether the text holds an
// escape.
const char *closingQuote(const char *start, const char *end, bool &escaped)
{
    escaped = false;
    for (const char *at = start; at < end; at += 2) {
        while (at < end && *at != '"' && *at != '\\')
            ++at;
        if (at == end || *at == '"')
            return at;
        escaped = true;
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
            // Most of a file is texts: their ends are found with memchr().
            const char *start = at + 1;
            bool escaped = false;
            at = closingQuote(start, end, escaped);
            const qsizetype size = at - start;
            if (check && at < end)
                check->text(QByteArrayView(start - 1, size + 2), escaped, expectKey);
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
            if (check && expectValue && keyIs("price")) {
                const char *number = at;
                while (number < end && *number > ' ' && plainBytes[static_cast<unsigned char>(*number)])
                    ++number;
                check->price(QByteArrayView(at, number));
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
                : parent == Elements ? Element : Other;
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

