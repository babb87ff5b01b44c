#include "ui/common/dialog_service.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

// "*.*" is every file on Windows, where the filter texts come from; Qt takes it literally:
// it lists only names with a dot and, on switching to it, renames a typed "x.txt" to "x.*".
// Qt is given "*" for it.
QStringList qtNameFilters(const QStringList& filters) {
    QStringList given;
    for (QString filter : filters) {
        given.append(filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)")));
    }
    return given;
}

std::optional<QString> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

void DialogService::databaseMessage(QWidget* window, const QString& text) {
    showMessage(window->isVisible() ? window : nullptr, text, kProgramTitle,
                MessageIcon::Exclamation);
}

void DialogService::failure(QWidget* window, const util::Failure& failure) {
    const QString text = QString::fromStdString(failure.message);
    if (failure.kind == util::Failure::Kind::Database) {
        databaseMessage(window, text);
    } else {
        warning(window, text);
    }
}

void QtDialogService::showMessage(QWidget* parent, const QString& text, const QString& title,
                                  MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title.isEmpty() ? kProgramTitle : title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogService::askYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kProgramTitle, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogService::askSaveFileName(QWidget* parent,
                                                        const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.nameFilters);
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size()) {
        dialog.selectNameFilter(filters.at(request.selectedFilter));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposedName.isEmpty()) {
        dialog.selectFile(request.proposedName);
    }
    return chosenFile(dialog);
}

std::optional<QString> QtDialogService::askOpenFileName(QWidget* parent,
                                                        const OpenFileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.nameFilters));
    return chosenFile(dialog);
}

UnsavedChoice QtDialogService::askSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("&Salvar"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("&Descartar"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return UnsavedChoice::Save;
    }
    return box.clickedButton() == discard ? UnsavedChoice::Discard : UnsavedChoice::Cancel;
}

} // namespace ui
