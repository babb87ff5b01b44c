#include "ui/about/sysinfo.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace ui {

namespace {

// The programs looked for, the most thorough first.
const QStringList kSysInfoPrograms = {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                                      QStringLiteral("gnome-system-monitor"),
                                      QStringLiteral("mate-system-monitor"),
                                      QStringLiteral("xfce4-taskmanager")};

} // namespace

std::optional<QString> findSysInfoTool() {
    for (const QString& program : kSysInfoPrograms) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return std::nullopt;
}

bool startSysInfoTool() {
    const std::optional<QString> tool = findSysInfoTool();
    return tool && QProcess::startDetached(*tool, {});
}

} // namespace ui
