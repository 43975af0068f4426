#include "cataloguetable.h"

#include <QtGlobal>

#include <algorithm>
#include <charconv>

const char *const CatalogueTable::columnNames[ColumnCount] = {
    QT_TRANSLATE_NOOP("CatalogueTable", "Identifier"),  QT_TRANSLATE_NOOP("CatalogueTable", "Category"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Name"),        QT_TRANSLATE_NOOP("CatalogueTable", "Description"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Designer"),    QT_TRANSLATE_NOOP("CatalogueTable", "Length"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Height"),      QT_TRANSLATE_NOOP("CatalogueTable", "Width"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Weight"),      QT_TRANSLATE_NOOP("CatalogueTable", "Colour"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Price"),       QT_TRANSLATE_NOOP("CatalogueTable", "Stock"),
    QT_TRANSLATE_NOOP("CatalogueTable", "Photo"),
};

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A measure that a spreadsheet may sum: digits, with a decimal point and digits after, and
// no leading zero that a number would lose.
bool isPlainNumber(const std::string &text)
{
    std::size_t at = 0, digits = 0;
    while (at < text.size() && isDigit(text[at]))
        ++at, ++digits;
    if (digits == 0 || (digits > 1 && text[0] == '0'))
        return false;
    if (at < text.size() && text[at] == '.') {
        const std::size_t point = ++at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        if (at == point)
            return false;
    }
    return at == text.size() && digits <= 15;
}

// Read whatever the C locale: the toolkit sets it from the system, where a decimal comma
// would cut "4.5" to 4.
TableCell measure(const std::string &text)
{
    double number = 0;
    if (!isPlainNumber(text))
        return { TableCell::Text, &text, 0 };
    std::from_chars(text.data(), text.data() + text.size(), number);
    return { TableCell::Number, &text, number };
}

} // namespace

bool identifierBefore(const std::string &a, const std::string &b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Digit groups compare by value: without their leading zeros, the longer is larger.
            while (i < a.size() && a[i] == '0' && i + 1 < a.size() && isDigit(a[i + 1]))
                ++i;
            while (j < b.size() && b[j] == '0' && j + 1 < b.size() && isDigit(b[j + 1]))
                ++j;
            std::size_t endA = i, endB = j;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j;
            const int order = a.compare(i, endA - i, b, j, endB - j);
            if (order != 0)
                return order < 0;
            i = endA, j = endB;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i, ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    // Equal by value ("1.2" and "001.002"): by their texts, so that the order is total.
    return a < b;
}

std::vector<ExportedVariant> inIdentifierOrder(const std::vector<ShownElement> &shown)
{
    std::vector<ExportedVariant> variants;
    for (const ShownElement &element : shown)
        for (const std::size_t place : element.variants)
            variants.push_back({ element.element, &element.element->getForms()[place] });
    const auto before = [](const ExportedVariant &a, const ExportedVariant &b) {
        return identifierBefore(a.variant->getId(), b.variant->getId());
    };
    // A catalogue is mostly kept in identifier order already.
    if (!std::is_sorted(variants.begin(), variants.end(), before))
        std::stable_sort(variants.begin(), variants.end(), before);
    return variants;
}

CatalogueTable::CatalogueTable(std::vector<ExportedVariant> variants, QStringList headers)
    : variants(std::move(variants)), headers(std::move(headers))
{
}

void CatalogueTable::row(std::size_t row, TableCell *cells) const
{
    const Furniture &element = *variants[row].element;
    const Form &variant = *variants[row].variant;
    const Dimension &dim = element.getDim();
    cells[Identifier] = { TableCell::Text, &variant.getId(), 0 };
    cells[Category] = { TableCell::Text, &element.getCategory(), 0 };
    cells[Name] = { TableCell::Text, &element.getName(), 0 };
    cells[Description] = { TableCell::Text, &element.getDesc(), 0 };
    cells[Designer] = { TableCell::Text, &element.getDesigner(), 0 };
    cells[Length] = measure(dim.getLength());
    cells[Height] = measure(dim.getHeight());
    cells[Width] = measure(dim.getWidth());
    cells[Weight] = measure(dim.getWeight());
    cells[Colour] = { TableCell::Text, &variant.getColor(), 0 };
    cells[Price] = { TableCell::Price, nullptr, variant.getPrice() };
    cells[Stock] = { TableCell::Number, nullptr, double(variant.getStock()) };
    cells[Photo] = { TableCell::Text, &variant.getPhoto(), 0 };
}
