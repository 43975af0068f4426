#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QAbstractItemView;
class QKeyEvent;

// Tells a barcode scanner's typing from a person's in a tree or table. A scanner is a
// keyboard that types a whole code, keys a few milliseconds apart, then Return: such keys
// are taken as a scan and handed on, while slower typing stays the view's own (its
// keyboard search, or the editor of the current cell). Keys are timed by their events' own
// times, as the window system gave them. Printable keys are held until it is clear whose
// they are, at most scannerGapMs after the last: the first key of a scan would otherwise
// open the current cell's editor, and the rest of the code would be typed into the cell.
class ScanTyping : public QObject
{
    Q_OBJECT

public:
    // Keys closer than this are a scanner's.
    static constexpr unsigned long scannerGapMs = 50;

    ScanTyping(QAbstractItemView *view, std::function<void(const QString &code)> scanned);
    ~ScanTyping() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();
    QObject *keyTarget() const;
    bool passOn(QObject *watched, QEvent *event);

    QAbstractItemView *view;
    std::function<void(const QString &code)> scanned;
    QString typed;
    unsigned long lastKeyMs = 0;
    std::vector<std::unique_ptr<QKeyEvent>> held;
    QTimer holding;
    bool releasing = false;
};
