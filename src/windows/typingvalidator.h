#pragma once

#include <QRegularExpressionValidator>

// Holds what the user types into a field to the field's form and length. A stored value
// the program shows may go beyond both (a stock of 4294967295, a measure "1234.5"): it is
// shown whole, and edits of it stay in its own shape and length, so that what is saved is
// what the field shows.
class TypingValidator : public QRegularExpressionValidator
{
    Q_OBJECT

public:
    // `storedShape` is the form a stored value may take beyond `pattern` while it is edited.
    TypingValidator(const QString &pattern, const QString &storedShape, int maxLength,
                    QObject *parent);

    // The typing rules of a price (four digits, two decimals after "." or ",") and of a
    // stock (five digits), as the editor and the price list share them.
    static TypingValidator *forPrice(QObject *parent);
    static TypingValidator *forStock(QObject *parent);

    // The field is about to show `stored`; edits of it may keep its length and shape.
    void admit(const QString &stored);

    State validate(QString &input, int &pos) const override;

private:
    QRegularExpression storedShape;
    int typingLimit;
    int limit;
    bool storedBeyondPattern = false;
};
