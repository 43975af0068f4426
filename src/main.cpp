#include "edit.h"
#include "mainwindow.h"

#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QTranslator>

#include <csignal>

int main(int argc, char *argv[])
{
    signal(SIGXFSZ, SIG_IGN); // a write past a file-size limit then fails as any other does
    QApplication app(argc, argv);
    QTranslator translator;
    QTranslator toolkitTranslator;

    // Asked before any catalogue is installed, so the dialog itself stays in English.
    const QStringList languages { QStringLiteral("en"), QStringLiteral("fr") };
    const QString locale = QInputDialog::getItem(nullptr, QStringLiteral("Language selection"),
                                                 QStringLiteral("Select the language you wish to use"),
                                                 languages, 0, false);
    if (locale == QLatin1String("fr") && translator.load(QStringLiteral(":/i18n/Kalvio_fr_FR"))) {
        app.installTranslator(&translator);
        // The toolkit's own texts (standard buttons, file choosers), where its French
        // catalogue is installed; otherwise they stay English.
        if (toolkitTranslator.load(QStringLiteral("qtbase_fr"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            app.installTranslator(&toolkitTranslator);
    }

    MainWindow window;
    window.show();
    const int status = app.exec();
    // The catalogue outlives every window; its elements go with it.
    Edit::sof.clear();
    return status;
}
