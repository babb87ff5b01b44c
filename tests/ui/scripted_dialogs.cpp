#include "scripted_dialogs.h"

void ScriptedDialogs::showMessage(QWidget*, const QString& text, const QString& title,
                                  ui::MessageIcon icon) {
    m_messages.append({text, title, icon});
}

std::optional<QString> ScriptedDialogs::askSaveFileName(QWidget*,
                                                        const ui::SaveFileRequest& request) {
    saveRequests.append(request);
    if (saveAnswers.empty()) {
        ++m_unexpectedSaveDialogs;
        return std::nullopt;
    }
    const QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    if (answer.isNull()) {
        return std::nullopt;
    }
    return answer;
}

QList<ScriptedDialogs::Message> ScriptedDialogs::takeMessages() {
    QList<Message> taken;
    taken.swap(m_messages);
    return taken;
}

QString ScriptedDialogs::describePending() const {
    QString text;
    for (const Message& message : m_messages) {
        text += QStringLiteral("[%1] %2\n").arg(message.title, message.text);
    }
    if (m_unexpectedSaveDialogs > 0) {
        text += QStringLiteral("%1 unexpected save dialog(s)\n").arg(m_unexpectedSaveDialogs);
    }
    return text;
}
