#include "valuevalidator.h"

#include "pricelistmodel.h"
#include "valuerefusal.h"

ValueValidator::ValueValidator(TypedValue::Kind kind, bool emptyIsZero, QObject *parent)
    : QValidator(parent), kind(kind), emptyIsZero(emptyIsZero)
{
}

QValidator::State ValueValidator::validate(QString &input, int &) const
{
    return reading(input).read() ? Acceptable : Intermediate;
}

TypedValue::Reading ValueValidator::reading(const QString &text) const
{
    TypedValue::Reading read = TypedValue::read(text, kind, decimalMark());
    if (read.outcome == TypedValue::Empty && emptyIsZero)
        read = { TypedValue::Read, 0 };
    return read;
}

QString ValueValidator::refusal(const QString &text) const
{
    return ValueRefusal::reason(reading(text).outcome, kind);
}

QChar ValueValidator::decimalMark()
{
    return PriceListModel::interfaceLocale().decimalPoint().front();
}
