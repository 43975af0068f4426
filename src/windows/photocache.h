#pragma once

#include <QCache>
#include <QImage>
#include <QString>

#include <string>

// The photos of a layout, each read once while it stays among the latest used and shrunk to
// the size the layout paints them at.
class PhotoCache
{
public:
    // The photo named `name` within `size` pixels, or none where it is not found.
    QImage photo(const std::string &name, int size);

private:
    QCache<QString, QImage> photos { 64 };
};
