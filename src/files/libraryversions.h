#pragma once

#include <QString>

// The versions of the libraries the files are written and read back with, as the program
// was built with them.
namespace LibraryVersions {

QString xlsxwriter();
QString minizip();

} // namespace LibraryVersions
