#include "stocktotals.h"

#include "setoffurnitures.h"

void StockTotals::add(const Form &variant)
{
    add(variant.getPrice(), variant.getStock());
}

void StockTotals::add(double price, unsigned int stock)
{
    ++variants;
    units += stock;
    value += price * stock;
}

void StockTotals::add(const Furniture &element)
{
    ++elements;
    for (const Form &variant : element.getForms())
        add(variant);
}

StockTotals StockTotals::of(const Furniture &element)
{
    StockTotals totals;
    totals.add(element);
    return totals;
}

StockTotals StockTotals::ofCategory(const SetOfFurnitures &catalogue, const std::string &category)
{
    StockTotals totals;
    for (const Furniture *element : catalogue.getFurnitures())
        if (element->getCategory() == category)
            totals.add(*element);
    return totals;
}

StockTotals StockTotals::of(const SetOfFurnitures &catalogue)
{
    StockTotals totals;
    for (const Furniture *element : catalogue.getFurnitures())
        totals.add(*element);
    return totals;
}
