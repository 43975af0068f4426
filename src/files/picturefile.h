#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

// Pictures are recognised by the exact endings ".png", ".xpm" and ".jpg"; a name such
// as "sofa.PNG" or "sofa.jpeg" is refused before anything is read.
enum class PictureStatus { NoName, UnsupportedFormat, NotFound, Loaded };

PictureStatus loadPicture(const QString &path, QPixmap &picture);

// File-name patterns ("*.png"...) of the pictures loadPicture() takes that the toolkit
// can read, for a file chooser's filter.
QStringList picturePatterns();
