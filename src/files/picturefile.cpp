#include "picturefile.h"

#include "diskfile.h"

#include <QImageReader>

#include <algorithm>
#include <iterator>

namespace {

const char *const pictureSuffixes[] = { "png", "xpm", "jpg", "jpeg" };

} // namespace

PictureStatus loadPicture(const QString &path, QPixmap &picture)
{
    if (path.isEmpty())
        return PictureStatus::NoName;
    if (std::none_of(std::begin(pictureSuffixes), std::end(pictureSuffixes), [&path](const char *suffix) {
            return path.endsWith(u'.' + QLatin1String(suffix), Qt::CaseInsensitive);
        }))
        return PictureStatus::UnsupportedFormat;
    // Read through DiskFile, so that a photo name leading to a FIFO or a device is
    // refused instead of blocking or flooding the editor.
    const qint64 maxPictureSize = qint64(64) << 20;
    QByteArray bytes;
    return DiskFile::read(path, maxPictureSize, bytes).ok() && picture.loadFromData(bytes)
        ? PictureStatus::Loaded
        : PictureStatus::NotFound;
}

QStringList picturePatterns()
{
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList patterns;
    for (const char *suffix : pictureSuffixes) {
        if (readable.contains(suffix))
            patterns << QStringLiteral("*.") + QLatin1String(suffix) << QStringLiteral("*.") + QString::fromLatin1(suffix).toUpper();
    }
    return patterns;
}
