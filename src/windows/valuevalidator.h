#pragma once

#include "typedvalue.h"

#include <QValidator>

// Takes a price or a stock as the list, its paste and the change dialogs read it, over the
// whole range a file holds. It never turns away a keystroke: what cannot be used stays
// as typed, is not acceptable, and refusal() says why.
class ValueValidator : public QValidator
{
    Q_OBJECT

public:
    // With `emptyIsZero`, an emptied field stands for 0, as an emptied stock does in the list.
    ValueValidator(TypedValue::Kind kind, bool emptyIsZero, QObject *parent);

    State validate(QString &input, int &pos) const override;
    TypedValue::Reading reading(const QString &text) const;
    // Why `text` is not acceptable; empty when it is.
    QString refusal(const QString &text) const;

    // The decimal mark of the interface language, which settles "1,049".
    static QChar decimalMark();

private:
    const TypedValue::Kind kind;
    const bool emptyIsZero;
};
