#pragma once

#include "picturefile.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThread>

#include <atomic>

// Reads photos on a thread of its own, scaled to the size asked, so that a large photo
// never holds up the window; the last one read is kept, and asked for again it comes at
// once. Only the latest request is answered: one overtaken before it started is not read.
class PhotoLoader : public QObject
{
    Q_OBJECT

public:
    explicit PhotoLoader(QObject *parent = nullptr);
    ~PhotoLoader() override;

    void request(const QString &path, const QSize &bounds);
    // Drops the latest request, whose answer is no longer wanted.
    void cancel() { ++latest; }

signals:
    void loaded(PictureStatus status, const QImage &picture);

private:
    struct Read
    {
        QString path;
        QSize bounds;
        PictureStatus status = PictureStatus::NoName;
        QImage picture;
    };
    void received(quint64 ticket, const Read &read);

    QThread thread;
    QObject *reader;
    std::atomic<quint64> latest { 0 };
    Read last;
};
