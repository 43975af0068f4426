#include "valuedelegate.h"

#include "valuevalidator.h"
#include "variantorder.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

const char *const columnProperty = "column";
const char *const storedProperty = "stored";

} // namespace

ValueDelegate::ValueDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

QWidget *ValueDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *field = new QLineEdit(parent);
    field->setFrame(false);
    const TypedValue::Kind kind = index.column() == VariantOrder::Price ? TypedValue::Price : TypedValue::Stock;
    // An emptied stock is 0, as in the editor.
    auto *validator = new ValueValidator(kind, kind == TypedValue::Stock, field);
    field->setValidator(validator);
    field->setProperty(columnProperty, index.column());
    // Editors are made by a const function, yet say what they refuse through the delegate.
    auto *delegate = const_cast<ValueDelegate *>(this);
    connect(field, &QLineEdit::textChanged, delegate, [delegate, field, validator](const QString &text) {
        // A stored value past what may be typed, shown whole, may be left as it stands.
        const QString why = text == field->property(storedProperty).toString() ? QString() : validator->refusal(text);
        field->setToolTip(why);
        emit delegate->typingRefused(field->property(columnProperty).toInt(), why);
    });
    return field;
}

void ValueDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *field = static_cast<QLineEdit *>(editor);
    const QString stored = index.data(Qt::EditRole).toString();
    field->setProperty(storedProperty, stored);
    field->setText(stored);
}

bool ValueDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(object);
    if (!field || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool down = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!down && key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return QStyledItemDelegate::eventFilter(object, event);
    const bool unchanged = field->text() == field->property(storedProperty).toString();
    if (!unchanged && !field->hasAcceptableInput()) {
        const auto *validator = static_cast<const ValueValidator *>(field->validator());
        emit typingRefused(field->property(columnProperty).toInt(), validator->refusal(field->text()));
        return true;
    }
    if (!unchanged)
        emit commitData(field);
    emit closeEditor(field, down ? NoHint : key == Qt::Key_Tab ? EditNextItem : EditPreviousItem);
    if (down)
        emit committedDown();
    return true;
}
