#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// Pictures are recognised by the endings ".png", ".xpm", ".jpg" and ".jpeg", in any case
// (cameras write "IMG_0001.JPG"); a name such as "sofa.gif" is refused before anything is read.
enum class PictureStatus { NoName, UnsupportedFormat, NotFound, Loaded };

PictureStatus loadPicture(const QString &path, QPixmap &picture);
// The picture at `path` scaled to fit `bounds`, aspect kept; a large photo is decoded at
// that size, which takes a fraction of decoding it whole. Safe outside the GUI thread.
PictureStatus readPicture(const QString &path, const QSize &bounds, QImage &picture);

// File-name patterns ("*.png", "*.PNG"...) of the pictures loadPicture() takes that the
// toolkit can read, for a file chooser's filter, in lower and upper case for the choosers
// that tell them apart.
QStringList picturePatterns();
