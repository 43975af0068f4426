#pragma once

#include <QString>
#include <QStringList>

// The copies that sync services write beside a file that two computers changed while
// apart: "shop (conflicted copy 2026-12-07 101010).json" (Nextcloud, ownCloud),
// "shop_conflict-20261207-101010.json" (older ownCloud),
// "shop.sync-conflict-20261207-101010-ABCDEFG.json" (Syncthing),
// "shop (Desk 2's conflicted copy 2026-12-07).json" (Dropbox, in the words of its
// interface language), "shop (SFConflict desk2@example.org 2026-12-07-10-10-10).json"
// (Seafile).
namespace SyncConflicts {

// Whether the name `name` is that of such a copy of the file named `file`, both without folders.
bool isCopyName(const QString &name, const QString &file);
// The copies beside the file `path` that are regular files, not links, newest first.
QStringList beside(const QString &path);

} // namespace SyncConflicts
