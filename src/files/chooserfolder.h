#pragma once

#include <QString>

// The folder the catalogue file choosers start in: "../../json" below the working folder
// where it exists, as when the program runs from its build folder; else the folder last
// chosen from, remembered across runs; else the user's documents folder.
namespace ChooserFolder {

// An existing folder, as a canonical path: a chooser given a folder that does not exist
// would offer its name as the file name.
QString start();
// Remembers the folder of the file `chosen` for the next start.
void remember(const QString &chosen);

} // namespace ChooserFolder
