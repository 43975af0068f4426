#include "picturelabel.h"

#include <QLabel>
#include <QPixmap>

void PictureLabel::show(QLabel &label, PictureStatus status, const QPixmap &picture)
{
    switch (status) {
    case PictureStatus::NoName:
        label.setText(tr("No image"));
        break;
    case PictureStatus::UnsupportedFormat:
        label.setText(tr("Unsupported image format"));
        break;
    case PictureStatus::NotFound:
        label.setText(tr("Image not found"));
        break;
    case PictureStatus::Loaded:
        label.setPixmap(picture);
        break;
    }
}
