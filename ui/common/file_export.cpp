#include "ui/common/file_export.h"

#include "report/report_file.h"
#include "ui/common/dialog_service.h"

#include <filesystem>
#include <optional>
#include <string>

#include <QFile>

namespace ui {

std::filesystem::path localPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
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
