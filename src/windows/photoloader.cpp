#include "photoloader.h"

PhotoLoader::PhotoLoader(QObject *parent) : QObject(parent), reader(new QObject)
{
    reader->moveToThread(&thread);
    connect(&thread, &QThread::finished, reader, &QObject::deleteLater);
    thread.start();
}

// Nothing reaches this object once its reader's thread has ended.
PhotoLoader::~PhotoLoader()
{
    cancel();
    thread.quit();
    thread.wait();
}

void PhotoLoader::request(const QString &path, const QSize &bounds)
{
    const quint64 ticket = ++latest;
    if (!last.path.isEmpty() && last.path == path && last.bounds == bounds) {
        emit loaded(last.status, last.picture);
        return;
    }
    QMetaObject::invokeMethod(reader, [this, ticket, path, bounds] {
        if (ticket != latest)
            return;
        Read read { path, bounds, PictureStatus::NoName, {} };
        read.status = readPicture(path, bounds, read.picture);
        QMetaObject::invokeMethod(this, [this, ticket, read] { received(ticket, read); });
    });
}

void PhotoLoader::received(quint64 ticket, const Read &read)
{
    last = read;
    if (ticket == latest)
        emit loaded(read.status, read.picture);
}
