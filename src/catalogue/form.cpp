#include "form.h"

#include <utility>

namespace {

std::uint64_t nextSerial()
{
    static std::uint64_t last = 0;
    return ++last;
}

} // namespace

Form::Form(std::string id, std::string photo, std::string color, double price, unsigned int stock)
    : id(std::move(id)), photo(std::move(photo)), color(std::move(color)), price(price),
      stock(stock), serial(nextSerial())
{
}

Form::Form(std::istream &in) : serial(nextSerial())
{
    in >> id >> photo >> color;
    // A failed extraction would store 0 anyway; keep the rule explicit for both numbers.
    if (!(in >> price))
        price = 0;
    if (!(in >> stock))
        stock = 0;
}

void Form::setPhoto(std::string photo)
{
    this->photo = std::move(photo);
}

void Form::setColor(std::string color)
{
    this->color = std::move(color);
}

void Form::setPrice(double price)
{
    this->price = price;
}

void Form::setStock(unsigned int stock)
{
    this->stock = stock;
}

bool operator==(const Form &a, const Form &b)
{
    return a.getId() == b.getId() && a.getPhoto() == b.getPhoto() && a.getColor() == b.getColor()
        && a.getPrice() == b.getPrice() && a.getStock() == b.getStock();
}

std::ostream &operator<<(std::ostream &out, const Form &form)
{
    return out << form.getId() << ' ' << form.getPhoto() << ' ' << form.getColor() << ' '
               << form.getPrice() << ' ' << form.getStock();
}
