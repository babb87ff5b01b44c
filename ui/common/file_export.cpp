#include "ui/common/file_export.h"

#include "report/report_file.h"
#include "ui/common/dialog_service.h"
#include "util/path_text.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ui {

std::filesystem::path localPath(const QString& path) {
    return util::pathFromUtf8(path.toStdString());
}

QString shownPath(const std::filesystem::path& path) {
    return QString::fromStdString(util::utf8FromPath(path));
}

bool writeExportedFile(QWidget* parent, DialogService& dialogs, const QString& path,
                       std::string_view bytes) {
    const std::optional<util::Failure> failure =
        report::writeFileAtomically(localPath(path), bytes);
    if (failure) {
        dialogs.failure(parent, *failure);
        return false;
    }
    dialogs.information(parent,
                        QStringLiteral("Arquivo ") + path + QStringLiteral(" exportado com êxito"));
    return true;
}

} // namespace ui
