#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAbstractItemView;

// Tells a barcode scanner's typing from a person's in a tree or table. A scanner is a
// keyboard that types a whole code, keys a few milliseconds apart, then Return: such keys
// are taken as a scan and handed on, while slower typing stays the view's own keyboard
// search. Keys are timed by their events' own times, as the window system gave them.
class ScanTyping : public QObject
{
    Q_OBJECT

public:
    // Keys closer than this are a scanner's.
    static constexpr unsigned long scannerGapMs = 50;

    ScanTyping(QAbstractItemView *view, std::function<void(const QString &code)> scanned);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &code)> scanned;
    QString typed;
    unsigned long lastKeyMs = 0;
};
