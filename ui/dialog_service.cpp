#include "ui/dialog_service.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ui {

void QtDialogService::showMessage(QWidget* parent, const QString& text, const QString& title,
                                  MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title.isEmpty() ? QStringLiteral("ZEB") : title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDialogService::askSaveFileName(QWidget* parent,
                                                        const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.nameFilters.size()) {
        dialog.selectNameFilter(request.nameFilters.at(request.selectedFilter));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.proposedName.isEmpty()) {
        dialog.selectFile(request.proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace ui
