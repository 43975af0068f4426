#include "fieldtext.h"

#include <QLocale>

#include <cmath>

// Six significant digits read best; a price they would round gets every digit it needs,
// so that saving the field as shown keeps the price.
QString FieldText::price(double price)
{
    const QString sixDigits = QString::number(price, 'g', 6);
    return toPrice(sixDigits) == price ? sixDigits
                                       : QString::number(price, 'g', QLocale::FloatingPointShortest);
}

QString FieldText::stock(unsigned int stock)
{
    return QString::number(stock);
}

double FieldText::toPrice(const QString &text)
{
    bool ok = false;
    const double price = QString(text).replace(u',', u'.').toDouble(&ok);
    return ok && std::isfinite(price) ? price : 0;
}

unsigned int FieldText::toStock(const QString &text)
{
    bool ok = false;
    const unsigned int stock = text.toUInt(&ok);
    return ok ? stock : 0;
}
