#pragma once

#include <optional>

#include <QString>

namespace ui {

// The system-information tool of "&System Info...": on Windows the one the registry names
// (its full path, else its folder holding MSINFO32.EXE); on a Linux desktop, which has no such
// entry, the first of the desktop's system-information programs found on the search path.
// None when there is none.
std::optional<QString> findSysInfoTool();

// Starts the tool in a window of its own, directly (no shell) and without waiting for it;
// false when there is no tool or it cannot be started.
bool startSysInfoTool();

} // namespace ui
