#include "fieldtext.h"

#include <cmath>

QString FieldText::price(double price)
{
    return QString::number(price, 'g', 6);
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
