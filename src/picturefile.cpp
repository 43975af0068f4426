#include "picturefile.h"

PictureStatus loadPicture(const QString &path, QPixmap &picture)
{
    if (path.isEmpty())
        return PictureStatus::NoName;
    if (!path.endsWith(u".png") && !path.endsWith(u".xpm") && !path.endsWith(u".jpg"))
        return PictureStatus::UnsupportedFormat;
    return picture.load(path) ? PictureStatus::Loaded : PictureStatus::NotFound;
}
