#pragma once

#include <QStringList>

// The catalogue files last opened or saved, newest first, kept across runs; every main
// window reads the same list, so each shows what the others added.
class RecentFiles
{
public:
    static constexpr qsizetype limit = 8;

    QStringList paths() const;
    // `path` becomes the newest; the oldest beyond the limit goes.
    void add(const QString &path);
    void clear();
};
