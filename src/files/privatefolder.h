#pragma once

#include "diskfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// Folders of the user's private data folder that only the user may enter, so that what
// lies in them is the user's own doing, and the files kept there.
namespace PrivateFolder {

// The folder `name`, made where missing.
QString path(const QString &name);
// A short hash of `text`, to name files after paths.
QString hashOf(const QString &text);
// Writes `contents` into `file` as any save does; the file is then the user's alone.
FileResult write(const QString &file, const QByteArray &contents);
// When a regular file of this user that no one else may write, not reached through a
// link, was last written; nothing for any other.
std::optional<QDateTime> trustedTime(const QString &file);

} // namespace PrivateFolder
