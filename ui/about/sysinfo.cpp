#include "ui/about/sysinfo.h"

#include <QProcess>
#include <QStandardPaths>

namespace ui {

std::optional<QString> findSysInfoTool(const QStringList& programs) {
    for (const QString& program : programs) {
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
