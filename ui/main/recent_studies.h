#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// The study files opened or saved last, most recent first, kept in the user's settings
// ($XDG_CONFIG_HOME/zeb/zeb.conf) between runs.
inline constexpr int kMaxRecentStudies = 6;

QStringList recentStudies();
// Puts the file first, once, and forgets the oldest past kMaxRecentStudies.
void rememberStudy(const QString& path);
void forgetStudy(const QString& path);

} // namespace ui
