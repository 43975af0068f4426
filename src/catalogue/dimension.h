#pragma once

#include <istream>
#include <ostream>
#include <string>

// The four measures of a catalogue element, kept as free text.
class Dimension
{
public:
    Dimension(std::string length, std::string height, std::string width, std::string weight);
    explicit Dimension(std::istream &in);

    const std::string &getLength() const { return length; }
    const std::string &getHeight() const { return height; }
    const std::string &getWidth() const { return width; }
    const std::string &getWeight() const { return weight; }

    void setLHWW(std::string length, std::string height, std::string width, std::string weight);

private:
    std::string length;
    std::string height;
    std::string width;
    std::string weight;
};

bool operator==(const Dimension &a, const Dimension &b);
std::ostream &operator<<(std::ostream &out, const Dimension &dimension);
std::istream &operator>>(std::istream &in, Dimension &dimension);
