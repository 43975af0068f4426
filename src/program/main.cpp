#include "commandline.h"
#include "edit.h"
#include "endingsignals.h"
#include "languagechoice.h"
#include "mainwindow.h"
#include "processheap.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTimer>
#include <QTranslator>

#include <csignal>
#include <cstdio>

namespace {

int print(const CommandLine &commandLine)
{
    const int code = *commandLine.exitCode();
    std::fputs(qPrintable(commandLine.message() + u'\n'), code == 0 ? stdout : stderr);
    return code;
}

// The application's icon in the sizes task bars show. An X server refuses a window icon as
// large as the 256-pixel one: the toolkit would then set none.
QIcon windowIcon()
{
    const QPixmap drawn(QStringLiteral(":/icons/fi.kalvio.Kalvio.png"));
    QIcon icon;
    for (const int size : { 16, 32, 48, 64 })
        icon.addPixmap(drawn.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHeap::setUp();
    signal(SIGXFSZ, SIG_IGN); // a write past a file-size limit then fails as any other does
    // Where QSettings keeps what the program remembers between runs.
    QApplication::setOrganizationName(QStringLiteral("Kalvio"));
    QApplication::setApplicationName(QStringLiteral("kalvio"));
    QApplication::setApplicationVersion(QStringLiteral(KALVIO_VERSION));
    // Docks and task bars group the windows under the launcher of this desktop entry.
    QApplication::setDesktopFileName(QStringLiteral("fi.kalvio.Kalvio"));
    // The help, the version and a mistake need no display, so they come before the
    // application object, which would end the program where there is none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const CommandLine early(arguments); early.exitCode())
        return print(early);

    QApplication app(argc, argv);
    // The main window's File actions are made after its form, whose connection by name
    // warns that it finds none of them; a user's QT_LOGGING_RULES still turns this on.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));
    QApplication::setWindowIcon(windowIcon());
    const CommandLine commandLine(QApplication::arguments());
    if (commandLine.exitCode())
        return print(commandLine);

    QTranslator translator;
    QTranslator toolkitTranslator;

    const QString locale = !commandLine.language().isEmpty() ? commandLine.language() : LanguageChoice::ask();
    if (locale == QLatin1String("fr") && translator.load(QStringLiteral(":/i18n/Kalvio_fr_FR"))) {
        app.installTranslator(&translator);
        // The toolkit's own texts (standard buttons, file choosers), where its French
        // catalogue is installed; otherwise they stay English.
        if (toolkitTranslator.load(QStringLiteral("qtbase_fr"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            app.installTranslator(&toolkitTranslator);
    } else if (translator.load(QStringLiteral(":/i18n/Kalvio_en"))) {
        // English has a catalogue too, for the plural forms of texts with a count.
        app.installTranslator(&translator);
    }

    MainWindow window;
    window.show();
    const EndingSignals endings;
    QObject::connect(&endings, &EndingSignals::received, &window, [&window] {
        window.leaveWithoutAsking();
        QApplication::quit();
    });
    // The start's questions are asked from the program's own loop: quitting ends theirs
    // too, which it cannot do before that loop runs.
    QTimer::singleShot(0, &window, [&window, &commandLine] {
        if (commandLine.catalogue().isEmpty())
            window.offerLeftRecovery();
        commandLine.openCatalogueIn(window);
    });
    const int status = app.exec();
    // The catalogue outlives every window; its elements go with it.
    Edit::sof.clear();
    return status;
}
