#pragma once

class QWidget;

namespace ui {

// A hidden hook for timing and checking the start of the program: when the environment
// variable ZEB_STARTUP_PROBE is set, the splash is handed over at once by a key press, and
// the program quits as soon as a main window has painted itself. Exit status 0 then means the
// main window loaded and was shown.
bool startupProbeRequested();
void armStartupProbe(QWidget* splash);

} // namespace ui
