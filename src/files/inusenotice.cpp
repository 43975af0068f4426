#include "inusenotice.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <climits>
#include <csignal>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A notice holds four short lines; anything larger is not one.
constexpr qint64 maxNoticeSize = 4096;
constexpr qint64 staleAfterMs = qint64(24) * 3600 * 1000;

struct Notice
{
    InUseHolder holder;
    uid_t owner = 0;
};

QByteArray noticeName(const QString &catalogue)
{
    const QFileInfo file(catalogue);
    const QString canonical = file.canonicalFilePath();
    const QFileInfo target(canonical.isEmpty() ? file.absoluteFilePath() : canonical);
    return QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                             + QStringLiteral(".kalvio-inuse"));
}

// The account's name, or its number where it has none.
QString userName(uid_t user)
{
    if (const passwd *entry = ::getpwuid(user))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(user);
}

// A text from a notice, which anyone may have written: shown without control or
// formatting characters, which could forge lines or turn the text around, and short.
QString shownText(const QString &text)
{
    constexpr qsizetype longest = 64;
    QString shown;
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            shown += c;
    }
    if (shown.size() > longest) {
        shown.truncate(longest);
        if (shown.back().isHighSurrogate())
            shown.chop(1);
    }
    return shown;
}

// As this host's notices name it.
QString thisHost()
{
    return shownText(QSysInfo::machineHostName());
}

// Reads the notice `name`: a regular file of sane size, never through a link nor blocking.
std::optional<Notice> readNotice(const QByteArray &name)
{
    const int file = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file < 0)
        return std::nullopt;
    struct stat info;
    char bytes[maxNoticeSize + 1];
    ssize_t size = -1;
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxNoticeSize) {
        do
            size = ::read(file, bytes, sizeof bytes);
        while (size < 0 && errno == EINTR);
    }
    ::close(file);
    if (size < 0 || size > maxNoticeSize)
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(bytes, size).split(u'\n');
    bool isNumber = false;
    // The holder is the account that owns the notice, whatever name its text gives.
    Notice notice { { userName(info.st_uid), shownText(lines.value(1)), lines.value(2).toLongLong(&isNumber),
                      QDateTime::fromString(lines.value(3), Qt::ISODate) },
                    info.st_uid };
    if (lines.size() < 4 || !isNumber || notice.holder.pid <= 0 || !notice.holder.since.isValid())
        return std::nullopt;
    return notice;
}

bool isThisProcess(const InUseHolder &holder)
{
    return holder.host == thisHost() && holder.pid == ::getpid();
}

// A process of this host that no longer runs leaves a notice anyone may disregard.
bool isGone(const InUseHolder &holder)
{
    return holder.host == thisHost()
        && (holder.pid > INT_MAX || (::kill(pid_t(holder.pid), 0) != 0 && errno == ESRCH));
}

} // namespace

InUseNotice::~InUseNotice()
{
    release();
}

std::optional<InUseHolder> InUseNotice::otherHolder(const QString &catalogue)
{
    const std::optional<Notice> notice = readNotice(noticeName(catalogue));
    if (!notice || isThisProcess(notice->holder) || isGone(notice->holder))
        return std::nullopt;
    return notice->holder;
}

bool InUseNotice::probablyStale(const InUseHolder &holder)
{
    return holder.host != thisHost() && holder.since.msecsTo(QDateTime::currentDateTimeUtc()) > staleAfterMs;
}

void InUseNotice::take(const QString &catalogue)
{
    release();
    const QByteArray name = noticeName(catalogue);
    // Only a notice of this user that no one holds any more is replaced.
    if (const std::optional<Notice> left = readNotice(name);
        left && left->owner == ::getuid() && (isThisProcess(left->holder) || isGone(left->holder)))
        ::unlink(name.constData());
    const int file = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    if (file < 0)
        return;
    const QByteArray text = QStringList({ userName(::getuid()), thisHost(), QString::number(::getpid()),
                                          QDateTime::currentDateTimeUtc().toString(Qt::ISODate), QString() })
                                    .join(u'\n')
                                    .toUtf8();
    const bool whole = ::write(file, text.constData(), size_t(text.size())) == text.size();
    ::close(file);
    if (whole)
        written = name;
    else
        ::unlink(name.constData());
}

void InUseNotice::release()
{
    if (written.isEmpty())
        return;
    if (const std::optional<Notice> notice = readNotice(written);
        notice && notice->owner == ::getuid() && isThisProcess(notice->holder))
        ::unlink(written.constData());
    written.clear();
}
