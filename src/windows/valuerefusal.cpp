#include "valuerefusal.h"

#include "pricelistmodel.h"

QString ValueRefusal::reason(TypedValue::Outcome why, TypedValue::Kind kind)
{
    const bool price = kind == TypedValue::Price;
    const QLocale locale = PriceListModel::interfaceLocale();
    switch (why) {
    case TypedValue::Read:
        return {};
    case TypedValue::Empty:
        return price ? tr("A price cannot be empty") : tr("A stock cannot be empty");
    case TypedValue::NotANumber:
        return price ? tr("A price is a number, such as %1").arg(locale.toString(1049.9, 'f', 2))
                     : tr("A stock is a whole number, such as %1").arg(locale.toString(12));
    case TypedValue::Negative:
        return price ? tr("A price cannot be below 0") : tr("A stock cannot be below 0");
    case TypedValue::TooManyDecimals:
        return tr("A price has at most two decimals");
    case TypedValue::NotWhole:
        return tr("A stock is a whole number");
    case TypedValue::TooLarge:
        return price ? tr("A price is at most %1").arg(locale.toString(TypedValue::maxPrice, 'f', 2))
                     : tr("A stock is at most %1").arg(locale.toString(TypedValue::maxStock));
    }
    return {};
}
