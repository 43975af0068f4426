#include "recentfiles.h"

#include <QSettings>

namespace {

const QString recentKey = QStringLiteral("recentFiles");

} // namespace

QStringList RecentFiles::paths() const
{
    return QSettings().value(recentKey).toStringList().mid(0, limit);
}

void RecentFiles::add(const QString &path)
{
    QStringList kept = paths();
    kept.removeAll(path);
    kept.prepend(path);
    QSettings().setValue(recentKey, kept.mid(0, limit));
}

void RecentFiles::clear()
{
    QSettings().remove(recentKey);
}
