#pragma once

#include "ui/dialog_service.h"

#include <deque>
#include <optional>

#include <QList>
#include <QString>

// The dialog seam in tests: records every box the window shows instead of blocking on it.
// A test takes the boxes it expects; any box left over fails the test (see takeMessages and
// the fixture's cleanup), so an unexpected message cannot pass unnoticed.
class ScriptedDialogs : public ui::DialogService {
public:
    struct Message {
        QString text;
        QString title;
        ui::MessageIcon icon;
    };

    void showMessage(QWidget* parent, const QString& text, const QString& title,
                     ui::MessageIcon icon) override;
    std::optional<QString> askSaveFileName(QWidget* parent,
                                           const ui::SaveFileRequest& request) override;

    // The boxes shown since the last call, oldest first.
    QList<Message> takeMessages();
    bool hasPendingBoxes() const { return !m_messages.isEmpty() || m_unexpectedSaveDialogs > 0; }
    QString describePending() const;

    // Answers for the save dialogs to come, in order: a path, or a null QString for a cancel.
    // None left means the dialog was not expected.
    std::deque<QString> saveAnswers;
    QList<ui::SaveFileRequest> saveRequests;

private:
    QList<Message> m_messages;
    int m_unexpectedSaveDialogs = 0;
};
