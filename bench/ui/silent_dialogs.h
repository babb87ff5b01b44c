#pragma once

#include "ui/common/dialog_service.h"

// Boxes must not block a benchmark: every question is declined and the last message is kept,
// so that a run can fail with its text.
class SilentDialogs : public ui::DialogService {
public:
    QString lastMessage;
    void showMessage(QWidget*, const QString& text, const QString&, ui::MessageIcon) override {
        lastMessage = text;
    }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    std::optional<QString> askSaveFileName(QWidget*, const ui::SaveFileRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> askOpenFileName(QWidget*, const ui::OpenFileRequest&) override {
        return std::nullopt;
    }
    ui::UnsavedChoice askSaveChanges(QWidget*, const QString&) override {
        return ui::UnsavedChoice::Cancel;
    }
};
