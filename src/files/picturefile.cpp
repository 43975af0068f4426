#include "picturefile.h"

#include "diskfile.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <iterator>

namespace {

const char *const pictureSuffixes[] = { "png", "xpm", "jpg", "jpeg" };

// The bytes of the picture at `path`; Loaded when they were read, whatever they hold.
PictureStatus readBytes(const QString &path, QByteArray &bytes)
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
    return DiskFile::read(path, maxPictureSize, bytes).ok() ? PictureStatus::Loaded : PictureStatus::NotFound;
}

} // namespace

PictureStatus loadPicture(const QString &path, QPixmap &picture)
{
    QByteArray bytes;
    const PictureStatus status = readBytes(path, bytes);
    if (status != PictureStatus::Loaded)
        return status;
    return picture.loadFromData(bytes) ? PictureStatus::Loaded : PictureStatus::NotFound;
}

PictureStatus readPicture(const QString &path, const QSize &bounds, QImage &picture)
{
    QByteArray bytes;
    const PictureStatus status = readBytes(path, bytes);
    if (status != PictureStatus::Loaded)
        return status;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    if (const QSize size = reader.size(); size.isValid())
        reader.setScaledSize(size.scaled(bounds, Qt::KeepAspectRatio));
    picture = reader.read();
    return picture.isNull() ? PictureStatus::NotFound : PictureStatus::Loaded;
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
