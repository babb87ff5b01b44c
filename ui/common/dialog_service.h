#pragma once

#include "util/failure.h"

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Every modal question or message the windows show passes through this seam: the program
// shows real dialogs, the tests answer and inspect scripted ones.

// The titles of the program's boxes: its name, and the one of every warning.
inline const QString kProgramTitle = QStringLiteral("ZEB");
inline const QString kWarningTitle = QStringLiteral("Aviso!");

enum class MessageIcon {
    None,
    Exclamation,
};

// A save dialog as the export command configures it.
struct SaveFileRequest {
    QString title;
    QStringList nameFilters; // Qt filter entries, e.g. "Text Files(*.txt)"
    int selectedFilter = 0;  // position in nameFilters of the preselected entry
    QString proposedName;    // empty proposes nothing
    bool confirmOverwrite = true;
    // An "open as read-only" choice for the user; Qt's dialogs never offer one.
    bool readOnlyOption = false;
    QString defaultSuffix; // added to a name typed without one; empty adds nothing

    // A dialog for one kind of file: its filter entry, the suffix a typed name gets, and the
    // name proposed.
    static SaveFileRequest ofKind(QString title, QString filter, QString suffix,
                                  QString proposedName) {
        SaveFileRequest request;
        request.title = std::move(title);
        request.nameFilters = {std::move(filter)};
        request.defaultSuffix = std::move(suffix);
        request.proposedName = std::move(proposedName);
        return request;
    }
};

// An open dialog for one existing file.
struct OpenFileRequest {
    QString title;
    QStringList nameFilters; // Qt filter entries, e.g. "Estudo ZEB (*.zeb)"
};

// The answer to "save the changes first?".
enum class UnsavedChoice {
    Save,
    Discard,
    Cancel,
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // A modal box with an OK button; returns once it has been closed. An empty title shows
    // the program's title "ZEB".
    virtual void showMessage(QWidget* parent, const QString& text, const QString& title,
                             MessageIcon icon) = 0;

    // A modal question with Yes and No, No the default; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;

    // A modal save dialog: the full path chosen, or none when the user cancels.
    virtual std::optional<QString> askSaveFileName(QWidget* parent,
                                                   const SaveFileRequest& request) = 0;

    // A modal open dialog: the full path chosen, or none when the user cancels.
    virtual std::optional<QString> askOpenFileName(QWidget* parent,
                                                   const OpenFileRequest& request) = 0;

    // A modal question with "Salvar", "Descartar" and "Cancelar", "Salvar" the default;
    // closing the box cancels.
    virtual UnsavedChoice askSaveChanges(QWidget* parent, const QString& text) = 0;

    // "Aviso!" with the exclamation icon: a command that could not be carried out.
    void warning(QWidget* parent, const QString& text) {
        showMessage(parent, text, kWarningTitle, MessageIcon::Exclamation);
    }
    // A database that could not be read or lacks a row: the program's title and the
    // exclamation icon, over the window once it is shown and alone before.
    void databaseMessage(QWidget* window, const QString& text);
    // A failure of a command of the main window or of a window it opens: one of the reference
    // database as databaseMessage shows it, any other as a warning.
    void failure(QWidget* window, const util::Failure& failure);
    // The program's title, no icon: a command that succeeded.
    void information(QWidget* parent, const QString& text) {
        showMessage(parent, text, kProgramTitle, MessageIcon::None);
    }
};

// The real dialogs of the program.
class QtDialogService final : public DialogService {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& title,
                     MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    std::optional<QString> askSaveFileName(QWidget* parent,
                                           const SaveFileRequest& request) override;
    std::optional<QString> askOpenFileName(QWidget* parent,
                                           const OpenFileRequest& request) override;
    UnsavedChoice askSaveChanges(QWidget* parent, const QString& text) override;
};

} // namespace ui
