#include "ui/main/recent_studies.h"

#include <QSettings>

namespace ui {

namespace {

const QString kProgram = QStringLiteral("zeb");
const QString kRecentKey = QStringLiteral("recentStudies");

void store(const QStringList& paths) {
    QSettings(kProgram, kProgram).setValue(kRecentKey, paths);
}

} // namespace

QStringList recentStudies() {
    return QSettings(kProgram, kProgram).value(kRecentKey).toStringList().mid(0, kMaxRecentStudies);
}

void rememberStudy(const QString& path) {
    QStringList paths = recentStudies();
    paths.removeAll(path);
    paths.prepend(path);
    store(paths.mid(0, kMaxRecentStudies));
}

void forgetStudy(const QString& path) {
    QStringList paths = recentStudies();
    paths.removeAll(path);
    store(paths);
}

} // namespace ui
