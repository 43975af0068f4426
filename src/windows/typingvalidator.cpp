#include "typingvalidator.h"

#include <algorithm>
#include <climits>

TypingValidator::TypingValidator(const QString &pattern, const QString &storedShape,
                                 int maxLength, QObject *parent)
    : QRegularExpressionValidator(QRegularExpression(pattern), parent),
      storedShape(QRegularExpression::anchoredPattern(storedShape)),
      typingLimit(maxLength),
      limit(maxLength)
{
}

TypingValidator *TypingValidator::forPrice(QObject *parent)
{
    return new TypingValidator(QStringLiteral("^[0-9]{1,4}([.,][0-9]{1,2})?$"),
                               QStringLiteral("[0-9]*([.,][0-9]*)?"), 6, parent);
}

TypingValidator *TypingValidator::forStock(QObject *parent)
{
    return new TypingValidator(QStringLiteral("[0-9]*"), QStringLiteral("[0-9]*"), 5, parent);
}

void TypingValidator::admit(const QString &stored)
{
    const int length = int(std::min<qsizetype>(stored.size(), INT_MAX));
    limit = std::max(typingLimit, length);
    QString text = stored;
    int end = length;
    storedBeyondPattern = QRegularExpressionValidator::validate(text, end) == Invalid;
}

QValidator::State TypingValidator::validate(QString &input, int &pos) const
{
    if (input.size() > limit)
        return Invalid;
    const State typed = QRegularExpressionValidator::validate(input, pos);
    if (typed != Invalid || !storedBeyondPattern)
        return typed;
    return storedShape.match(input).hasMatch() ? Intermediate : Invalid;
}
