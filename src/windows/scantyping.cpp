#include "scantyping.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace {

// Fewer characters than this are a person's quick keys, not a code.
constexpr qsizetype shortestCode = 3;

} // namespace

ScanTyping::ScanTyping(QAbstractItemView *view, std::function<void(const QString &code)> scanned)
    : QObject(view), scanned(std::move(scanned))
{
    view->installEventFilter(this);
}

bool ScanTyping::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool quick = !typed.isEmpty() && key->timestamp() - lastKeyMs < scannerGapMs;
    lastKeyMs = key->timestamp();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        const QString code = quick && typed.size() >= shortestCode ? typed : QString();
        typed.clear();
        if (code.isEmpty())
            return QObject::eventFilter(watched, event);
        scanned(code);
        return true;
    }
    const QString text = key->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable)
        typed.clear();
    else if (quick)
        typed += text;
    else
        typed = text;
    return QObject::eventFilter(watched, event);
}
