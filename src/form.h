#pragma once

#include <istream>
#include <ostream>
#include <string>

// One variant of a catalogue element. Its identifier is fixed at construction;
// only assigning a whole Form replaces it.
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
};

bool operator==(const Form &a, const Form &b);
std::ostream &operator<<(std::ostream &out, const Form &form);
