#pragma once

#include <functional>

namespace ui {

class SplashWindow;

// The program as shipped, in a running QApplication: the splash, which hands over to the main
// window over the reference database found from the program's folder. `onSplashShown`, when
// given, is called with the splash once it is up. Returns the exit status: a failure when the
// main window could not be loaded.
int runProgram(const std::function<void(SplashWindow*)>& onSplashShown = {});

} // namespace ui
