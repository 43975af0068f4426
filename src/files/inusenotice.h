#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// A copy of this program that has a catalogue file open, as its notice tells.
struct InUseHolder
{
    QString user;
    QString host;
    qint64 pid = 0;
    QDateTime since;
    // When its copy last said that it still has the file open.
    QDateTime refreshed;
    bool thisHost = false;
    // On this host, whether its process runs; elsewhere that cannot be told.
    bool running = true;
    // A notice of this user, which this user's copies may take away.
    bool own = false;
    // The notice's file, in the file system's encoding.
    QByteArray notice;
};

// The notices beside a catalogue file that tell others which copies of this program have
// it open: one hidden file per copy, ".NAME.kalvio-inuse-HOST-PID" (HOST a hash of the
// computer's name), naming the account, computer, process and time of opening; its time of
// last change is when its copy last refreshed it. Notices are opened without following
// links and without blocking, only regular files of a few lines are read, at most
// maxNotices of them, and only notices of this user are ever removed.
class InUseNotice
{
public:
    InUseNotice() = default;
    ~InUseNotice();
    InUseNotice(const InUseNotice &) = delete;
    InUseNotice &operator=(const InUseNotice &) = delete;

    static constexpr int maxNotices = 64;

    // Every notice beside `catalogue` but this process's own, oldest holder first.
    static QList<InUseHolder> holders(const QString &catalogue);
    // Takes away the notice of `holder`, if it is still a regular file of this user that
    // names that holder and not this process.
    static void remove(const InUseHolder &holder);

    // Puts this process's notice beside `catalogue`, after taking away the one it put
    // beside another file. Where that cannot be done, nothing happens.
    void take(const QString &catalogue);
    // Tells that this process still has the file open; a notice that someone took away is
    // put back.
    void refresh();
    // Takes away the notice this process put, if it is still there and still its own.
    void release();

private:
    QString catalogue;
    QByteArray written;
};
