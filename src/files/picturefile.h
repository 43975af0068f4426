#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

// Pictures are recognised by the endings ".png", ".xpm", ".jpg" and ".jpeg", in any case
// (cameras write "IMG_0001.JPG"); a name such as "sofa.gif" is refused before anything is read.
enum class PictureStatus { NoName, UnsupportedFormat, NotFound, Loaded };

PictureStatus loadPicture(const QString &path, QPixmap &picture);

// File-name patterns ("*.png", "*.PNG"...) of the pictures loadPicture() takes that the
// toolkit can read, for a file chooser's filter, in lower and upper case for the choosers
// that tell them apart.
QStringList picturePatterns();
