#pragma once

#include "diskfile.h"

#include <QByteArray>
#include <QString>

// For each catalogue file, the version of it that the copies a sync service leaves beside
// it are merged against, kept across runs in the user's private "bases" folder:
// "KEY.json", KEY a hash of the file's absolute path, beside "KEY.path", which holds the
// file's device and inode when it was kept, then its path. A base is found by the file's
// path or, for a file moved or renamed since, by its identity. Each takes the size of the
// version it keeps; those not kept anew for 90 days go, and beyond the newest 64 the oldest.
namespace KeptBase {

constexpr int maxAgeDays = 90;
constexpr int maxBases = 64;

// Where the base of `file` is kept, its folder made where missing; to be asked while the
// program runs, of which the folder's name is.
QString placeOf(const QString &file);
// Keeps `contents` at `place` as the base of `file`, in place of the one before; the oldest
// and those past their age go.
FileResult keep(const QString &place, const QString &file, const QByteArray &contents);
// Where the base of `file` is kept; empty when none is, or when it is not a regular file
// of this user that no one else may write.
QString find(const QString &file);

} // namespace KeptBase
