#include "commandline.h"

#include "mainwindow.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The toolkit's own options, which the application object takes out of the arguments: they
// are left to it, so that the rest is checked before anything needs a display.
const QStringList toolkitOptionsWithValue { QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
                                            QStringLiteral("platformtheme"), QStringLiteral("plugin"),
                                            QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                            QStringLiteral("qwindowtitle"), QStringLiteral("display"),
                                            QStringLiteral("geometry"), QStringLiteral("title"),
                                            QStringLiteral("name"), QStringLiteral("visual"),
                                            QStringLiteral("session"), QStringLiteral("style"),
                                            QStringLiteral("stylesheet") };
const QStringList toolkitFlags { QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                 QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("qmljsdebugger") };

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList own;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const QString option = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        const QString name = option.section(u'=', 0, 0);
        if (i == 0 || !argument.startsWith(u'-'))
            own << argument;
        else if (toolkitOptionsWithValue.contains(name))
            i += option.contains(u'=') ? 0 : 1;
        else if (!toolkitFlags.contains(name))
            own << argument;
    }
    return own;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Keeps a furniture shop's catalogue: categories, elements and their variants, each with\n"
            "an identifier, a photo, a colour, a price and a stock.\n"
            "\n"
            "File: New, New Furniture, Open, Open Recent, Save, Save as, Leave. A catalogue that\n"
            "someone else has open can be opened read-only; a file that someone else changed is\n"
            "merged with yours at Save.\n"
            "Edit: Undo, Redo. View: Price and stock list (Ctrl+L), to sort, filter, type, paste\n"
            "and change prices and stocks. Catalogue: Export as CSV, .xlsx or a PDF price list,\n"
            "Print price list, Import prices and stock from a CSV file. Help: User guide (F1).\n"
            "See also man kalvio."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("Interface language, en or fr, instead of asking."),
                                      QStringLiteral("en|fr"));
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("catalogue"), QStringLiteral("A catalogue file to open."),
                                 QStringLiteral("[CATALOGUE]"));

    const auto fail = [this](const QString &mistake) {
        code = 1;
        text = mistake + QStringLiteral("\nTry --help.");
    };
    // Help and the version are answered even beside a mistake.
    const bool parsed = parser.parse(withoutToolkitOptions(arguments));
    if (parser.isSet(help)) {
        code = 0;
        // The help names the program by its name, not by the path it was started with; before
        // the application object exists, the parser has no name for it at all.
        const QString started = QCoreApplication::instance() ? QCoreApplication::arguments().constFirst()
                                                             : QStringLiteral("<executable_name>");
        text = parser.helpText().replace(started, QCoreApplication::applicationName());
    } else if (parser.isSet(version)) {
        code = 0;
        text = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion();
    } else if (!parsed) {
        fail(parser.errorText());
    } else if (parser.positionalArguments().size() > 1) {
        fail(QStringLiteral("Give one catalogue at most."));
    } else if (parser.isSet(language) && parser.value(language) != u"en" && parser.value(language) != u"fr") {
        fail(QStringLiteral("Unknown language '%1': choose en or fr.").arg(parser.value(language)));
    } else {
        chosenLanguage = parser.value(language);
        catalogueFile = parser.positionalArguments().value(0);
    }
}

void CommandLine::openCatalogueIn(MainWindow &window) const
{
    if (!catalogueFile.isEmpty())
        window.openCatalogue(catalogueFile);
}
