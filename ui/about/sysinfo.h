#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace ui {

// The system-information tool of "&System Info...". A Linux desktop has no registry entry
// naming one, so the tool is the first of the desktop's system-information programs found on
// the search path (PATH).

// The programs looked for, the most thorough first.
inline const QStringList kSysInfoPrograms = {
    QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
    QStringLiteral("gnome-system-monitor"), QStringLiteral("mate-system-monitor"),
    QStringLiteral("xfce4-taskmanager")};

// The full path of the first of the programs that is an executable file on PATH; none when
// there is none.
std::optional<QString> findSysInfoTool(const QStringList& programs = kSysInfoPrograms);

// Starts the tool in a window of its own, directly (no shell) and without waiting for it;
// false when there is no tool or it cannot be started.
bool startSysInfoTool();

} // namespace ui
