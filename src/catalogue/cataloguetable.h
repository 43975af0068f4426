#pragma once

#include "cataloguesearch.h"
#include "exporttable.h"

#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

// A variant with its element, as the exports list them.
struct ExportedVariant
{
    const Furniture *element = nullptr;
    const Form *variant = nullptr;
};

// The variants of `shown` in identifier order: groups of digits compare as numbers, so
// 1.10 comes after 1.9; variants of equal identifiers keep their order.
std::vector<ExportedVariant> inIdentifierOrder(const std::vector<ShownElement> &shown);

// The rows of an export, one a variant in the order given: identifier, category, name,
// description, designer, the four measures, colour, price, stock and photo. Price and stock
// are numbers, and so is a measure written as a plain number ("45", "4.5").
class CatalogueTable : public ExportTable
{
public:
    enum Column {
        Identifier, Category, Name, Description, Designer, Length, Height, Width, Weight,
        Colour, Price, Stock, Photo, ColumnCount
    };
    // The columns' names in English, to be translated in the context "CatalogueTable".
    static const char *const columnNames[ColumnCount];

    // `headers`: the columns' names in the interface's language, in the order of Column.
    CatalogueTable(std::vector<ExportedVariant> variants, QStringList headers);

    std::size_t columnCount() const override { return ColumnCount; }
    std::size_t rowCount() const override { return variants.size(); }
    QString header(std::size_t column) const override { return headers.value(qsizetype(column)); }
    void row(std::size_t row, TableCell *cells) const override;
    const std::vector<ExportedVariant> &rows() const { return variants; }

private:
    std::vector<ExportedVariant> variants;
    QStringList headers;
};

// The natural order of identifiers that inIdentifierOrder() sorts by.
bool identifierBefore(const std::string &a, const std::string &b);
