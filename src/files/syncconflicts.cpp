#include "syncconflicts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

bool SyncConflicts::isCopyName(const QString &name, const QString &file)
{
    const QFileInfo original(file);
    const QString stem = original.completeBaseName(), end = original.suffix().isEmpty() ? QString() : u'.' + original.suffix();
    if (name.size() <= file.size() || !name.startsWith(stem) || !name.endsWith(end))
        return false;
    const QString added = name.mid(stem.size(), name.size() - stem.size() - end.size());
    // A note in brackets with a date and the service's word for a conflict, in the languages
    // the services speak; or Syncthing's and older ownCloud's fixed forms.
    static const QRegularExpression bracketed(QStringLiteral("^ \\((?=.*\\d{4}-\\d\\d-\\d\\d)(?=.*(conflict|conflit|konflikt|conflicto|conflitto|conflito)).*\\)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fixed(QStringLiteral("^(\\.sync-conflict-\\d{8}-\\d{6}(-[A-Z0-9]{7})?|_conflict-\\d{8}-\\d{6})$"));
    return bracketed.match(added).hasMatch() || fixed.match(added).hasMatch();
}

QStringList SyncConflicts::beside(const QString &path)
{
    const QFileInfo file(path);
    QFileInfoList found;
    for (const QFileInfo &entry : file.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (isCopyName(entry.fileName(), file.fileName()))
            found << entry;
    std::sort(found.begin(), found.end(), [](const QFileInfo &a, const QFileInfo &b) { return a.lastModified() > b.lastModified(); });
    QStringList copies;
    for (const QFileInfo &copy : std::as_const(found))
        copies << copy.absoluteFilePath();
    return copies;
}
