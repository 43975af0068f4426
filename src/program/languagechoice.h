#pragma once

#include <QString>

// The interface language asked at start, with the one chosen the last time preselected.
namespace LanguageChoice {

// "en" or "fr"; Cancel keeps the preselected one. Only an answer given is remembered.
QString ask();

} // namespace LanguageChoice
