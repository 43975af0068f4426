#pragma once

#include <QString>

// How a variant's price and stock are written into the editor's fields, and read back from
// what was typed. The tree and the search show them the same way.
namespace FieldText {

QString price(double price);
QString stock(unsigned int stock);

// Either "." or "," separates the decimals; anything that is not a number reads as 0.
double toPrice(const QString &text);
// Anything that is not a plain unsigned number reads as 0.
unsigned int toStock(const QString &text);

} // namespace FieldText
