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
// Copies `file` into `folder` as `name`, making the folder where needed. The copy is whole
// or absent; an existing file of that name is replaced. Listeners of PhotoCopies hear of it.
FileResult copyInto(const QString &folder, const QString &name, const QString &file);
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
