#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// Who has a catalogue file open in a copy of this program.
struct InUseHolder
{
    QString user;
    QString host;
    qint64 pid = 0;
    QDateTime since;
};

// The hidden file ".NAME.kalvio-inuse" beside a catalogue file, which tells others that this
// program has it open. Notices are opened without following links and without blocking,
// and only a regular file of a few lines is read; anything else there is ignored and left
// alone, as is a notice of another user or of another live process.
class InUseNotice
{
public:
    InUseNotice() = default;
    ~InUseNotice();
    InUseNotice(const InUseNotice &) = delete;
    InUseNotice &operator=(const InUseNotice &) = delete;

    // The holder that the notice beside `catalogue` names, unless it is this process or a
    // process of this host that no longer runs.
    static std::optional<InUseHolder> otherHolder(const QString &catalogue);
    // Whether a holder on another host has probably long gone: its notice is more than a day
    // old. On this host, whether the process runs tells.
    static bool probablyStale(const InUseHolder &holder);

    // Puts this process's notice beside `catalogue`, after taking away the one it put
    // beside another file. Where that cannot be done, or another live holder's notice is
    // there, nothing happens.
    void take(const QString &catalogue);
    // Takes away the notice this process put, if it is still there and still its own.
    void release();

private:
    QByteArray written;
};
