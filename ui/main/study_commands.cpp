// The main window's study files: "Novo", "Abrir estudo…", "Salvar estudo", "Salvar estudo
// como…" and the recent studies of the "Es&tudo" menu, the title naming the study, and the
// question before unsaved changes are lost.

#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/main/recent_studies.h"

#include <variant>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

namespace ui {

namespace {

const QString kStudyFilter = QStringLiteral("Estudo ZEB (*.zeb)");

} // namespace

void frmZEB::connectStudyMenu() {
    auto& u = *m_ui;
    connect(u.mnuNovo, &QAction::triggered, this, &frmZEB::mnuNovo_Click);
    connect(u.mnuAbrir, &QAction::triggered, this, &frmZEB::mnuAbrir_Click);
    connect(u.mnuSalvar, &QAction::triggered, this, &frmZEB::mnuSalvar_Click);
    connect(u.mnuSalvarComo, &QAction::triggered, this, &frmZEB::mnuSalvarComo_Click);
    // Every input a study keeps updates the unsaved mark and the results' state, after its own
    // handler has run.
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{
             u.txtRio, u.txtCN, u.txtArea, u.txtComprimento, u.txtDesnivel, u.txtRecorrencia,
             u.txtK, u.txta, u.txtb, u.txtc}) {
        connect(field, &QLineEdit::textChanged, this, &frmZEB::inputsChanged);
    }
    for (QComboBox* list : {u.cboPosto, u.cboZona, u.cboTerreno, u.cboDuracao}) {
        connect(list, &QComboBox::currentIndexChanged, this, &frmZEB::inputsChanged);
    }
    connect(u.Option2, &QRadioButton::toggled, this, &frmZEB::inputsChanged);
    fillRecentMenu();
}

// "&Sair", the title bar and Esc close alike: inputs not kept in a study are asked about once;
// with nothing to lose the window closes at once.
void frmZEB::closeEvent(QCloseEvent* event) {
    if (settleUnsavedChanges()) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void frmZEB::mnuNovo_Click() {
    if (!settleUnsavedChanges()) {
        return;
    }
    clearForm();
    m_studyPath.clear();
    m_savedStudy = studyInputs();
    showStudyTitle();
}

void frmZEB::mnuAbrir_Click() {
    const std::optional<QString> path = m_services.dialogs->askOpenFileName(
        this, OpenFileRequest{QStringLiteral("Abrir estudo"), {kStudyFilter}});
    if (path) {
        openStudy(*path);
    }
}

bool frmZEB::mnuSalvar_Click() {
    return m_studyPath.isEmpty() ? mnuSalvarComo_Click() : saveStudyTo(m_studyPath);
}

bool frmZEB::mnuSalvarComo_Click() {
    const std::optional<QString> path = m_services.dialogs->askSaveFileName(
        this, SaveFileRequest::ofKind(QStringLiteral("Salvar estudo"), kStudyFilter,
                                      QStringLiteral("zeb"),
                                      m_studyPath.isEmpty() ? m_ui->txtRio->text() : m_studyPath));
    return path && saveStudyTo(*path);
}

// The file is read whole before anything is asked or changed: a damaged file leaves the form
// as it was.
bool frmZEB::openStudy(const QString& path) {
    auto loaded = report::loadStudyFile(localPath(path));
    if (const auto* failure = std::get_if<std::string>(&loaded)) {
        m_services.dialogs->warning(this, QString::fromStdString(*failure));
        return false;
    }
    if (!settleUnsavedChanges()) {
        return false;
    }
    fillForm(std::get<report::StudyInputs>(loaded));
    studyOpenedOrSaved(path);
    if (firstEmptyRequiredField() == nullptr) {
        cmdCalcular_Click();
    }
    return true;
}

void frmZEB::openRecentStudy(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_services.dialogs->warning(
            this, QStringLiteral("O estudo %1 não existe mais e foi retirado da lista de estudos "
                                 "recentes.")
                      .arg(QDir::toNativeSeparators(path)));
        forgetStudy(path);
        fillRecentMenu();
        return;
    }
    openStudy(path);
}

// A number that reads two ways would be saved as no number: it is refused as before a run.
bool frmZEB::saveStudyTo(const QString& path) {
    if (refuseAmbiguousNumber(true)) {
        return false;
    }
    if (const auto failure = report::saveStudyFile(localPath(path), studyInputs())) {
        m_services.dialogs->warning(this, QString::fromStdString(*failure));
        return false;
    }
    studyOpenedOrSaved(path);
    return true;
}

void frmZEB::studyOpenedOrSaved(const QString& path) {
    m_studyPath = QFileInfo(path).absoluteFilePath();
    m_savedStudy = studyInputs();
    rememberStudy(m_studyPath);
    fillRecentMenu();
    showStudyTitle();
}

// Unsaved changes are inputs that differ from the study last opened or saved, or, before
// "Novo" and "Abrir", from the empty form when there is none.
bool frmZEB::settleUnsavedChanges() {
    if (studyInputs() == m_savedStudy) {
        return true;
    }
    const QString question =
        m_studyPath.isEmpty()
            ? QStringLiteral("Salvar os dados digitados em um estudo? Sem salvar, eles serão "
                             "perdidos.")
            : QStringLiteral("Salvar as alterações do estudo \"%1\"?")
                  .arg(QFileInfo(m_studyPath).fileName());
    switch (m_services.dialogs->askSaveChanges(this, question)) {
    case UnsavedChoice::Save:
        return mnuSalvar_Click();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        break;
    }
    return false;
}

// "ZEB" alone without a study; "estudo.zeb - ZEB" with one, marked while it has unsaved
// changes.
void frmZEB::showStudyTitle() {
    if (m_studyPath.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(kProgramTitle);
        return;
    }
    setWindowTitle(
        QStringLiteral("%1[*] - %2").arg(QFileInfo(m_studyPath).fileName(), kProgramTitle));
    setWindowModified(studyInputs() != m_savedStudy);
}

// The recent studies stand between the file commands and the separator above "&Postos…".
void frmZEB::fillRecentMenu() {
    QMenu* menu = m_ui->mnuArquivoEstudo;
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList paths = recentStudies();
    const QList<QAction*> actions = menu->actions();
    const qsizetype postos = actions.indexOf(m_ui->mnuPostos);
    if (paths.isEmpty() || postos < 1) {
        return;
    }
    QAction* before = actions.at(postos - 1);
    m_recentActions.append(menu->insertSeparator(before));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(
                QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&"))),
            menu);
        connect(action, &QAction::triggered, this, [this, path] { openRecentStudy(path); });
        menu->insertAction(before, action);
        m_recentActions.append(action);
    }
}

} // namespace ui
