#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class MainWindow;

// What the program is asked at its start: kalvio [--lang en|fr] [CATALOGUE], --help,
// --version.
class CommandLine
{
public:
    // `arguments` as the application holds them, the program's name first; the toolkit's own
    // options (-platform, -style...) are passed over, whether it took them out yet or not.
    explicit CommandLine(const QStringList &arguments);

    // Set when the start ends here: after the help or the version (0), or a mistake (1).
    std::optional<int> exitCode() const { return code; }
    // What is to be printed then: the help, the version or the mistake.
    QString message() const { return text; }
    // "en" or "fr"; empty when the user is to be asked.
    QString language() const { return chosenLanguage; }
    QString catalogue() const { return catalogueFile; }

    // Opens the catalogue named, if any, as File › Open does, failures included.
    void openCatalogueIn(MainWindow &window) const;

private:
    std::optional<int> code;
    QString text;
    QString chosenLanguage;
    QString catalogueFile;
};
