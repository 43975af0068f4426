#include "privatefolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

QString PrivateFolder::path(const QString &name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + u'/' + name;
    if (QDir().mkpath(folder))
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

QString PrivateFolder::hashOf(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

FileResult PrivateFolder::write(const QString &file, const QByteArray &contents)
{
    const FileResult result = DiskFile::write(file, contents);
    // Made as any new file is, it may be open to the group.
    ::chmod(QFile::encodeName(file).constData(), 0600);
    return result;
}

std::optional<QDateTime> PrivateFolder::trustedTime(const QString &file)
{
    struct stat info;
    if (::lstat(QFile::encodeName(file).constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & (S_IWGRP | S_IWOTH)))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000);
}
