#include "picturefile.h"

#include "diskfile.h"

PictureStatus loadPicture(const QString &path, QPixmap &picture)
{
    if (path.isEmpty())
        return PictureStatus::NoName;
    if (!path.endsWith(u".png") && !path.endsWith(u".xpm") && !path.endsWith(u".jpg"))
        return PictureStatus::UnsupportedFormat;
    // Read through DiskFile, so that a photo name leading to a FIFO or a device is
    // refused instead of blocking or flooding the editor.
    const qint64 maxPictureSize = qint64(64) << 20;
    QByteArray bytes;
    return DiskFile::read(path, maxPictureSize, bytes).ok() && picture.loadFromData(bytes)
        ? PictureStatus::Loaded
        : PictureStatus::NotFound;
}
