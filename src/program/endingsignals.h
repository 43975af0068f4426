#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a logout, a shutdown, Ctrl+C in a terminal) reach the event
// loop as received(): their handler only writes a byte into a socket pair, about the one
// thing a handler may safely do, and a notifier on its other end tells the loop.
class EndingSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndingSignals(QObject *parent = nullptr);

signals:
    void received();

private:
    void read();

    QSocketNotifier *notifier = nullptr;
};
