#pragma once

#include "report/study_file.h"

#include <functional>
#include <optional>

#include <QList>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace ui {

class DialogService;

// The study file behind the main window: its path, its inputs as last opened or saved, the
// title that names it and marks unsaved changes, the recent studies in the menu, and the
// question before unsaved changes are lost.
class StudyDocument {
public:
    struct Parts {
        QMainWindow* window = nullptr;
        DialogService* dialogs = nullptr;
        // The menu the recent studies are listed in, above the separator before `anchor`.
        QMenu* menu = nullptr;
        QAction* anchor = nullptr;
        // The form's inputs now, and a recent study chosen in the menu.
        std::function<report::StudyInputs()> inputs;
        std::function<void(const QString&)> openRecent;
    };
    explicit StudyDocument(Parts parts);

    // The file chosen to open, none when cancelled.
    std::optional<QString> askOpenPath();
    // The file chosen to save in, proposed as the study open or else the river; none when
    // cancelled.
    std::optional<QString> askSavePath(const QString& river);
    bool hasPath() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    // The file read whole, or its refusal shown and none.
    std::optional<report::StudyInputs> load(const QString& path);
    // The inputs written to the file; false, with the reason shown, when they were not.
    bool save(const QString& path);
    // No file, and the form as it is now counts as saved.
    void start();
    // The file now open, its inputs as the form has them, first among the recent studies.
    void openedOrSaved(const QString& path);
    // True when the file is still there; otherwise it is said and dropped from the list.
    bool recentStillExists(const QString& path);
    // True when there is nothing unsaved, or the user saved (by `save`) or discarded it.
    bool settle(const std::function<bool()>& save);
    // "ZEB" alone without a study; "estudo.zeb - ZEB" with one, marked while it has unsaved
    // changes.
    void showTitle();
    void fillRecentMenu();

private:
    Parts m_parts;
    QString m_path;
    report::StudyInputs m_saved;
    QList<QAction*> m_recentActions;
};

} // namespace ui
