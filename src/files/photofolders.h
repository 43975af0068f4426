#pragma once

#include "diskfile.h"

#include <QObject>
#include <QString>
#include <QStringList>

// Where the variants' photos are: "../../Images/" below the working folder first, as when
// the program runs from its build folder, then the Images folder beside the current
// catalogue's folder, then the one inside it, as a shop or an installed sample keeps them.
namespace PhotoFolders {

// The folder of the current catalogue file; empty when there is none.
void setCatalogueFolder(const QString &folder);
QString catalogueFolder();

// The folders a photo is looked for in, in order, each ending in "/".
QStringList candidates();
// The same for a catalogue in `catalogueFolder`.
QStringList candidatesFor(const QString &catalogueFolder);
// The path of the photo `name` in the first folder that holds it; in the first folder
// when none does, so that what is reported names the usual place.
QString find(const QString &name);
// The folder chosen photos go to: the first of the candidates that exists, else the Images
// folder inside the catalogue's folder; empty without any.
QString photosFolder();

// `file`'s name relative to `folder`; empty when it lies outside of it.
QString nameInside(const QString &folder, const QString &file);
// The file name `name`, or the first of "stem-2.ext", "stem-3.ext"... that `folder` does not hold.
QString freeName(const QString &folder, const QString &name);
// Whether `folder` holds a file `name` whose bytes are those of `file`.
bool holdsCopy(const QString &folder, const QString &name, const QString &file);
// Whether anything holds the name in `folder`, a symbolic link that leads nowhere included.
bool holdsName(const QString &folder, const QString &name);
// Whether the path `file` names what the file system holds: a name that is not UTF-8 text
// comes back from a file chooser with U+FFFD in the place of its bytes, and names nothing.
bool isReadableName(const QString &file);
// Copies `file` into `folder` as a new file `name`, making the folder where needed. The
// copy is whole or absent, and never written through a symbolic link. With `replace`,
// whatever held the name is replaced, a link by a file; without it, nothing is. Listeners
// of PhotoCopies hear of a copy made.
FileResult copyInto(const QString &folder, const QString &name, const QString &file, bool replace);
// The photos among `names` that are found now but would not be found, with the same bytes,
// by a catalogue in `catalogueFolder`. Names that lead out of a photos folder are left out.
QStringList unreachableFrom(const QString &catalogueFolder, const QStringList &names);

} // namespace PhotoFolders

// Tells that a photo was copied into a photos folder, so that editors that could not find it
// show it.
class PhotoCopies : public QObject
{
    Q_OBJECT

public:
    static PhotoCopies &instance();

signals:
    void copied(const QString &name);
};
