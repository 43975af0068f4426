#include "inusenotice.h"

#include "diskfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <tuple>

#include <cerrno>
#include <climits>
#include <csignal>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A notice holds four short lines; anything larger is not one.
constexpr qint64 maxNoticeSize = 4096;

// The catalogue's file as the kernel reaches it, where those who open it by another name look too.
QByteArray targetName(const QString &catalogue)
{
    const QFileInfo file(catalogue);
    const QString canonical = file.canonicalFilePath();
    return QFile::encodeName(canonical.isEmpty() ? file.absoluteFilePath() : canonical);
}

// The notices of `target` are named "PREFIX-HOST-PID", HOST and PID of fixed widths, so that
// a name shortened for the file system keeps the same PREFIX for every holder.
QByteArray noticeName(const QByteArray &target, const QByteArray &host, qint64 pid)
{
    return DiskFile::sideName(target, "inuse-" + QCryptographicHash::hash(host, QCryptographicHash::Sha1).toHex().left(8)
                                              + '-' + QByteArray::number(pid).rightJustified(10, '0'));
}

// The notice names of `target` start with this after their folder's "/"; an older copy's
// single notice has this name.
QByteArray noticePrefix(const QByteArray &target)
{
    const QByteArray name = noticeName(target, QByteArray(), 0);
    return name.mid(name.lastIndexOf('/') + 1).chopped(QByteArrayLiteral("-00000000-0000000000").size());
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
std::optional<InUseHolder> readNotice(const QByteArray &name)
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
    InUseHolder holder { userName(info.st_uid), shownText(lines.value(1)), lines.value(2).toLongLong(&isNumber),
                         QDateTime::fromString(lines.value(3), Qt::ISODate),
                         QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000, Qt::UTC),
                         false, true, info.st_uid == ::geteuid(), name };
    if (lines.size() < 4 || !isNumber || holder.pid <= 0 || !holder.since.isValid())
        return std::nullopt;
    holder.thisHost = holder.host == thisHost();
    holder.running = !holder.thisHost || (holder.pid <= INT_MAX && (::kill(pid_t(holder.pid), 0) == 0 || errno != ESRCH));
    return holder;
}

bool isThisProcess(const InUseHolder &holder)
{
    return holder.thisHost && holder.pid == ::getpid();
}

// The notice `name` if it is a regular file of this user that this process wrote.
bool isOwnNotice(const QByteArray &name)
{
    const std::optional<InUseHolder> notice = readNotice(name);
    return notice && notice->own && isThisProcess(*notice);
}

} // namespace

InUseNotice::~InUseNotice()
{
    release();
}

QList<InUseHolder> InUseNotice::holders(const QString &catalogue)
{
    const QByteArray target = targetName(catalogue), prefix = noticePrefix(target);
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    QList<InUseHolder> found;
    DIR *entries = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!entries)
        return found;
    int read = 0;
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArrayView name(entry->d_name);
        if (!name.startsWith(prefix) || (name.size() > prefix.size() && name[prefix.size()] != '-'))
            continue;
        if (++read > maxNotices)
            break;
        if (const std::optional<InUseHolder> holder = readNotice(folder + name.toByteArray()); holder && !isThisProcess(*holder))
            found << *holder;
    }
    ::closedir(entries);
    std::sort(found.begin(), found.end(), [](const InUseHolder &a, const InUseHolder &b) {
        return std::tie(a.since, a.host, a.pid) < std::tie(b.since, b.host, b.pid);
    });
    return found;
}

void InUseNotice::remove(const InUseHolder &holder)
{
    const std::optional<InUseHolder> now = readNotice(holder.notice);
    if (now && now->own && !isThisProcess(*now) && now->host == holder.host && now->pid == holder.pid)
        ::unlink(holder.notice.constData());
}

void InUseNotice::take(const QString &file)
{
    release();
    const QByteArray target = targetName(file), name = noticeName(target, thisHost().toUtf8(), ::getpid());
    // A notice of this name is one that an ended process of this user left, the process
    // number being used again.
    if (const std::optional<InUseHolder> left = readNotice(name); left && left->own)
        ::unlink(name.constData());
    const int notice = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    if (notice < 0)
        return;
    const QByteArray text = QStringList({ userName(::geteuid()), thisHost(), QString::number(::getpid()),
                                          QDateTime::currentDateTimeUtc().toString(Qt::ISODate), QString() })
                                    .join(u'\n')
                                    .toUtf8();
    const bool whole = ::write(notice, text.constData(), size_t(text.size())) == text.size();
    ::close(notice);
    if (!whole) {
        ::unlink(name.constData());
        return;
    }
    written = name;
    catalogue = file;
}

void InUseNotice::refresh()
{
    if (written.isEmpty())
        return;
    const int notice = ::open(written.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info;
    const bool ours = notice >= 0 && ::fstat(notice, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && ::futimens(notice, nullptr) == 0;
    if (notice >= 0)
        ::close(notice);
    if (!ours && !isOwnNotice(written)) {
        written.clear();
        take(catalogue);
    }
}

void InUseNotice::release()
{
    if (written.isEmpty())
        return;
    if (isOwnNotice(written))
        ::unlink(written.constData());
    written.clear();
}
