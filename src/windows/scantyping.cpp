#include "scantyping.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <utility>

namespace {

// Fewer characters than this are a person's quick keys, not a code.
constexpr qsizetype shortestCode = 3;

} // namespace

ScanTyping::ScanTyping(QAbstractItemView *view, std::function<void(const QString &code)> scanned)
    : QObject(view), view(view), scanned(std::move(scanned))
{
    holding.setSingleShot(true);
    holding.setInterval(int(scannerGapMs));
    connect(&holding, &QTimer::timeout, this, &ScanTyping::release);
    view->installEventFilter(this);
}

ScanTyping::~ScanTyping() = default;

bool ScanTyping::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || releasing)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool quick = !typed.isEmpty() && key->timestamp() - lastKeyMs < scannerGapMs;
    lastKeyMs = key->timestamp();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        const QString code = quick && typed.size() >= shortestCode ? typed : QString();
        typed.clear();
        if (code.isEmpty()) {
            release();
            return passOn(watched, event);
        }
        holding.stop();
        held.clear();
        scanned(code);
        return true;
    }
    const QString text = key->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable || !quick) {
        release();
        typed.clear();
    }
    if (!printable)
        return passOn(watched, event);
    typed += text;
    held.emplace_back(key->clone());
    holding.start();
    return true;
}

// The keys held were a person's: they go where they would have gone, the editor that the
// first of them opened included.
void ScanTyping::release()
{
    holding.stop();
    const QScopedValueRollback<bool> passing(releasing, true);
    for (const std::unique_ptr<QKeyEvent> &key : std::exchange(held, {}))
        QCoreApplication::sendEvent(keyTarget(), key.get());
}

QObject *ScanTyping::keyTarget() const
{
    QWidget *focused = QApplication::focusWidget();
    return focused && view->isAncestorOf(focused) ? focused : view;
}

// A key after those released goes where they went: Return into the editor they opened.
bool ScanTyping::passOn(QObject *watched, QEvent *event)
{
    QObject *target = keyTarget();
    if (target == watched)
        return QObject::eventFilter(watched, event);
    QCoreApplication::sendEvent(target, event);
    return true;
}
