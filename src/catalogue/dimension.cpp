#include "dimension.h"

#include <utility>

Dimension::Dimension(std::string length, std::string height, std::string width, std::string weight)
    : length(std::move(length)), height(std::move(height)), width(std::move(width)),
      weight(std::move(weight))
{
}

Dimension::Dimension(std::istream &in)
{
    in >> *this;
}

void Dimension::setLHWW(std::string length, std::string height, std::string width,
                        std::string weight)
{
    this->length = std::move(length);
    this->height = std::move(height);
    this->width = std::move(width);
    this->weight = std::move(weight);
}

bool operator==(const Dimension &a, const Dimension &b)
{
    return a.getLength() == b.getLength() && a.getHeight() == b.getHeight()
        && a.getWidth() == b.getWidth() && a.getWeight() == b.getWeight();
}

std::ostream &operator<<(std::ostream &out, const Dimension &dimension)
{
    return out << ' ' << dimension.getLength() << ' ' << dimension.getHeight() << ' '
               << dimension.getWidth() << ' ' << dimension.getWeight();
}

std::istream &operator>>(std::istream &in, Dimension &dimension)
{
    std::string length, height, width, weight;
    in >> length >> height >> width >> weight;
    dimension.setLHWW(std::move(length), std::move(height), std::move(width), std::move(weight));
    return in;
}
