#include "libraryversions.h"

#include <xlsxwriter.h>

QString LibraryVersions::xlsxwriter()
{
    return QStringLiteral(LXW_VERSION);
}

// minizip's headers carry no version: the build takes the one pkg-config gives.
QString LibraryVersions::minizip()
{
    return QStringLiteral(KALVIO_MINIZIP_VERSION);
}
