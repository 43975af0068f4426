#include "photocache.h"

#include "photofolders.h"
#include "picturefile.h"

#include <QPixmap>

QImage PhotoCache::photo(const std::string &name, int size)
{
    if (name.empty())
        return {};
    const QString key = QString::number(size) + u'/' + QString::fromStdString(name);
    if (const QImage *cached = photos.object(key))
        return *cached;
    QPixmap picture;
    QImage image;
    if (loadPicture(PhotoFolders::find(QString::fromStdString(name)), picture) == PictureStatus::Loaded)
        image = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage();
    photos.insert(key, new QImage(image));
    return image;
}
