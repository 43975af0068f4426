#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

// One variant of a catalogue element. Its identifier is fixed at construction;
// only assigning a whole Form replaces it.
//
// Identifiers need not be unique (open one file twice and each appears twice), so every
// Form made also gets a serial number of its own, which copies keep. An editor finds its
// variant again by that number.
class Form
{
public:
    Form(std::string id, std::string photo, std::string color, double price, unsigned int stock);
    // Reads the stream form that operator<< writes: id, photo, color, price, stock.
    explicit Form(std::istream &in);

    const std::string &getId() const { return id; }
    const std::string &getPhoto() const { return photo; }
    const std::string &getColor() const { return color; }
    double getPrice() const { return price; }
    unsigned int getStock() const { return stock; }
    std::uint64_t getSerial() const { return serial; }

    void setPhoto(std::string photo);
    void setColor(std::string color);
    void setPrice(double price);
    void setStock(unsigned int stock);

private:
    std::string id;
    std::string photo;
    std::string color;
    double price = 0;
    unsigned int stock = 0;
    std::uint64_t serial;
};

bool operator==(const Form &a, const Form &b);
std::ostream &operator<<(std::ostream &out, const Form &form);
