#pragma once

#include <functional>

#include <QString>

class QLocale;

namespace ui {

class SplashWindow;

// The program as shipped, in a running QApplication: the splash, which hands over to the main
// window over the reference database found from the program's folder. `onSplashShown`, when
// given, is called with the splash once it is up. Returns the exit status: a failure when the
// main window could not be loaded.
// A study file named by `studyPath` is opened once the main window is shown.
int runProgram(const std::function<void(SplashWindow*)>& onSplashShown = {},
               const QString& studyPath = {});

// Qt's own texts (the buttons of its boxes, the file dialog, the text fields' menu) in the
// locale's language, or in Portuguese, the program's own, when Qt has none for it; from the
// folder of Qt's translations (qt6-translations-l10n on Debian). Nothing happens when there
// is none: Qt's English stays. True when a translation was installed.
bool installQtTranslations(const QLocale& locale, const QString& folder);

} // namespace ui
