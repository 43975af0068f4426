#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Form;
class Furniture;
class SetOfFurnitures;

// How many elements and variants a part of the catalogue holds, with their units in stock
// and the value of that stock at their prices.
struct StockTotals
{
    std::size_t elements = 0;
    std::size_t variants = 0;
    std::uint64_t units = 0;
    double value = 0;

    void add(const Form &variant);
    // A variant of `price` with `stock` in stock.
    void add(double price, unsigned int stock);
    // The element and all its variants.
    void add(const Furniture &element);

    static StockTotals of(const Furniture &element);
    // The elements of `category`, spelt exactly so.
    static StockTotals ofCategory(const SetOfFurnitures &catalogue, const std::string &category);
    static StockTotals of(const SetOfFurnitures &catalogue);
};
