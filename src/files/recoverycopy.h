#pragma once

#include "diskfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// Copies of unsaved catalogues that outlive a crash, in the user's private data folder
// (a "recovery" folder that only the user may enter): "KEY.HOST.PID.json", KEY a hash of
// the catalogue file's absolute path and HOST of this computer's name, PID the process
// that wrote it, beside "KEY.HOST.PID.path", which names the catalogue file. Copies are
// written as any save is, never beside the catalogue; only regular files of this user
// that no one else may write are ever offered.
namespace RecoveryCopy {

// Writes this process's copy of the catalogue of `file`.
FileResult write(const QString &file, const QByteArray &contents);
// Takes away this process's copy of the catalogue of `file`, if there is one.
void remove(const QString &file);

// A copy that a process which no longer runs left.
struct Left
{
    QString copy;
    QString file;
    QDateTime written;
};
// The newest copy left of the catalogue of `file`, unless the file was saved after it.
std::optional<Left> left(const QString &file);
// The catalogue files of which copies are left, the one of the newest copy first.
QStringList leftFiles();
// Takes away a copy left, with its note.
void discard(const Left &left);
// Makes a copy left this process's own copy of the catalogue of its file, which then goes
// when this process's copy does; the copy's new name.
QString adopt(const Left &left);

} // namespace RecoveryCopy
