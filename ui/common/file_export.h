#pragma once

#include <filesystem>
#include <string_view>

#include <QString>

class QWidget;

namespace ui {

class DialogService;

// A path as a dialog gives it, as the file system names it, and a path as a window shows it
// (accented names whole on every system).
std::filesystem::path localPath(const QString& path);
QString shownPath(const std::filesystem::path& path);

// Writes the bytes whole to the path the user chose (a temporary file renamed into place, so a
// failure leaves any file of that name as it was) and says how it went as the report export
// does: "Arquivo <path> exportado com êxito" titled "ZEB", or the system's reason in a warning
// box. True when the file was written.
bool writeExportedFile(QWidget* parent, DialogService& dialogs, const QString& path,
                       std::string_view bytes);

} // namespace ui
