#pragma once

#include "picturefile.h"

#include <QCoreApplication>

class QLabel;
class QPixmap;

// A label that shows a picture, or says why there is none, in the same words wherever a
// picture is shown: the logo, the editor's photo, the details pane's.
class PictureLabel
{
    Q_DECLARE_TR_FUNCTIONS(PictureLabel)

public:
    static void show(QLabel &label, PictureStatus status, const QPixmap &picture);
};
