#include "languagechoice.h"

#include <QInputDialog>
#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace {

const QString languageKey = QStringLiteral("language");

} // namespace

QString LanguageChoice::ask()
{
    const QStringList languages { QStringLiteral("en"), QStringLiteral("fr") };
    const qsizetype last = languages.indexOf(QSettings().value(languageKey).toString());
    bool answered = false;
    // Asked before any catalogue is installed, so the dialog itself stays in English.
    const QString chosen = QInputDialog::getItem(nullptr, QStringLiteral("Language selection"),
                                                 QStringLiteral("Select the language you wish to use"), languages,
                                                 int(std::max<qsizetype>(last, 0)), false, &answered);
    if (answered)
        QSettings().setValue(languageKey, chosen);
    return chosen;
}
