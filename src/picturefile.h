#pragma once

#include <QPixmap>
#include <QString>

// Pictures are recognised by the exact endings ".png", ".xpm" and ".jpg"; a name such
// as "sofa.PNG" or "sofa.jpeg" is refused before anything is read.
enum class PictureStatus { NoName, UnsupportedFormat, NotFound, Loaded };

PictureStatus loadPicture(const QString &path, QPixmap &picture);
