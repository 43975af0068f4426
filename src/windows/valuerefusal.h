#pragma once

#include "typedvalue.h"

#include <QCoreApplication>
#include <QString>

// Why a typed, pasted or imported price or stock is not taken, in the interface language.
class ValueRefusal
{
    Q_DECLARE_TR_FUNCTIONS(ValueRefusal)

public:
    // "A price has at most two decimals"; empty for a value that is read.
    static QString reason(TypedValue::Outcome why, TypedValue::Kind kind);
};
