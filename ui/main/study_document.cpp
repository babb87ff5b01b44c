#include "ui/main/study_document.h"

#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/main/recent_studies.h"

#include <variant>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

namespace ui {

namespace {

const QString kStudyFilter = QStringLiteral("Estudo ZEB (*.zeb)");

} // namespace

StudyDocument::StudyDocument(Parts parts) : m_parts(std::move(parts)) {}

std::optional<QString> StudyDocument::askOpenPath() {
    return m_parts.dialogs->askOpenFileName(
        m_parts.window, OpenFileRequest{QStringLiteral("Abrir estudo"), {kStudyFilter}});
}

std::optional<QString> StudyDocument::askSavePath(const QString& river) {
    return m_parts.dialogs->askSaveFileName(
        m_parts.window,
        SaveFileRequest::ofKind(QStringLiteral("Salvar estudo"), kStudyFilter,
                                QStringLiteral("zeb"), m_path.isEmpty() ? river : m_path));
}

std::optional<report::StudyInputs> StudyDocument::load(const QString& path) {
    auto loaded = report::loadStudyFile(localPath(path));
    if (!loaded) {
        m_parts.dialogs->failure(m_parts.window, loaded.failure());
        return std::nullopt;
    }
    return std::move(*loaded);
}

bool StudyDocument::save(const QString& path) {
    if (const auto failure = report::saveStudyFile(localPath(path), m_parts.inputs())) {
        m_parts.dialogs->failure(m_parts.window, *failure);
        return false;
    }
    openedOrSaved(path);
    return true;
}

void StudyDocument::start() {
    m_path.clear();
    m_saved = m_parts.inputs();
    showTitle();
}

void StudyDocument::openedOrSaved(const QString& path) {
    m_path = QFileInfo(path).absoluteFilePath();
    m_saved = m_parts.inputs();
    rememberStudy(m_path);
    fillRecentMenu();
    showTitle();
}

bool StudyDocument::recentStillExists(const QString& path) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    m_parts.dialogs->warning(
        m_parts.window,
        QStringLiteral("O estudo %1 não existe mais e foi retirado da lista de estudos "
                       "recentes.")
            .arg(QDir::toNativeSeparators(path)));
    forgetStudy(path);
    fillRecentMenu();
    return false;
}

// Unsaved changes are inputs that differ from the study last opened or saved, or, before
// "Novo" and "Abrir", from the empty form when there is none.
bool StudyDocument::settle(const std::function<bool()>& save) {
    if (m_parts.inputs() == m_saved) {
        return true;
    }
    const QString question =
        m_path.isEmpty()
            ? QStringLiteral("Salvar os dados digitados em um estudo? Sem salvar, eles serão "
                             "perdidos.")
            : QStringLiteral("Salvar as alterações do estudo \"%1\"?")
                  .arg(QFileInfo(m_path).fileName());
    switch (m_parts.dialogs->askSaveChanges(m_parts.window, question)) {
    case UnsavedChoice::Save:
        return save();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        break;
    }
    return false;
}

void StudyDocument::showTitle() {
    if (m_path.isEmpty()) {
        m_parts.window->setWindowModified(false);
        m_parts.window->setWindowTitle(kProgramTitle);
        return;
    }
    m_parts.window->setWindowTitle(
        QStringLiteral("%1[*] - %2").arg(QFileInfo(m_path).fileName(), kProgramTitle));
    m_parts.window->setWindowModified(m_parts.inputs() != m_saved);
}

// The recent studies stand between the file commands and the separator above the anchor.
void StudyDocument::fillRecentMenu() {
    QMenu* menu = m_parts.menu;
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList paths = recentStudies();
    const QList<QAction*> actions = menu->actions();
    const qsizetype anchor = actions.indexOf(m_parts.anchor);
    if (paths.isEmpty() || anchor < 1) {
        return;
    }
    QAction* before = actions.at(anchor - 1);
    m_recentActions.append(menu->insertSeparator(before));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(
                QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&"))),
            menu);
        QObject::connect(action, &QAction::triggered, menu,
                         [this, path] { m_parts.openRecent(path); });
        menu->insertAction(before, action);
        m_recentActions.append(action);
    }
}

} // namespace ui
