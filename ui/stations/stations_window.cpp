#include "ui/stations/stations_window.h"

#include "numbers/number_format.h"
#include "refdata/station_rainfall.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/stations/station_form.h"

#include <array>
#include <system_error>

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace fs = std::filesystem;

namespace {

bool samePlace(const fs::path& a, const fs::path& b) {
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return error ? a.lexically_normal() == b.lexically_normal() : same;
}

// The program folder's database comes before the user's in the search order: while it exists,
// the main window never reads the user's stations.
bool inProgramFolder(const fs::path& database) {
    return samePlace(database.parent_path(), localPath(QCoreApplication::applicationDirPath()));
}

QString nameOf(const refdata::StationRow& row) {
    return QString::fromStdString(row.name.value_or(std::string()));
}

QString codeOf(const refdata::StationRow& row) {
    return QString::fromStdString(row.code.value_or(std::string()));
}

} // namespace

StationsWindow::StationsWindow(DialogService& dialogs, report::NumberStyle style,
                               StationsSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_style(std::move(style)),
      m_source(std::move(source)) {
    setWindowTitle(QStringLiteral("ZEB - Postos"));
    setObjectName(QStringLiteral("frmPostos"));

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblBanco"));
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::RichText);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const QStringList headers{
        QStringLiteral("Código"),   QStringLiteral("Nome"),     QStringLiteral("Estado"),
        QStringLiteral("Chuva"),    QStringLiteral("a"),        QStringLiteral("b"),
        QStringLiteral("c"),        QStringLiteral("β 5 min"),  QStringLiteral("β 15 min"),
        QStringLiteral("β 30 min"), QStringLiteral("β ≥ 1 h"),  QStringLiteral("K"),
        QStringLiteral("m"),        QStringLiteral("t₀ (min)"), QStringLiteral("n"),
        QStringLiteral("Fonte")};
    m_table = new QTableWidget(0, static_cast<int>(headers.size()), this);
    m_table->setObjectName(QStringLiteral("grdPostos"));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->setMinimumSize(760, 260);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &StationsWindow::updateCommands);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &StationsWindow::editStation);

    QHBoxLayout* commands = buildCommands();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_table, 1);
    layout->addLayout(commands);
    refresh();
    // Wide enough for every column, both kinds' constants side by side, at the usual font.
    resize(1240, height());
}

// The commands in a row, those that change the stations kept to be disabled together.
QHBoxLayout* StationsWindow::buildCommands() {
    auto* commands = new QHBoxLayout;
    const auto add = [&](const char* name, const QString& caption, void (StationsWindow::*run)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        commands->addWidget(button);
        connect(button, &QPushButton::clicked, this, run);
        return button;
    };
    m_changeCommands.push_back(
        add("cmdNovo", QStringLiteral("&Novo"), &StationsWindow::addStation));
    m_edit = add("cmdEditar", QStringLiteral("&Editar"), &StationsWindow::editStation);
    m_delete = add("cmdExcluir", QStringLiteral("E&xcluir"), &StationsWindow::deleteStation);
    m_changeCommands.push_back(
        add("cmdImportarCSV", QStringLiteral("Importar &CSV…"), &StationsWindow::importCsv));
    m_changeCommands.push_back(add("cmdImportarAccess", QStringLiteral("Importar &Access…"),
                                   &StationsWindow::importAccess));
    add("cmdExportarCSV", QStringLiteral("Exp&ortar CSV…"), &StationsWindow::exportCsv);
    if (m_source.fitFromSeries) {
        auto* fit =
            new QPushButton(QStringLiteral("Chuvas &intensas a partir de uma série…"), this);
        fit->setObjectName(QStringLiteral("cmdChuvasIntensas"));
        commands->addWidget(fit);
        connect(fit, &QPushButton::clicked, this, [this] { m_source.fitFromSeries(); });
    }
    commands->addStretch();
    auto* closeButton = new QPushButton(QStringLiteral("&Fechar"), this);
    closeButton->setObjectName(QStringLiteral("cmdFechar"));
    commands->addWidget(closeButton);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    return commands;
}

// The table goes after this class's members: its last selection signals must not reach them.
StationsWindow::~StationsWindow() {
    m_table->disconnect(this);
}

refdata::UserStations StationsWindow::userStations() const {
    return refdata::UserStations(m_source.userDatabase.value_or(fs::path()),
                                 m_source.databaseInUse());
}

refdata::UserStations StationsWindow::stationsToChange() const {
    if (m_source.releaseDatabase) {
        m_source.releaseDatabase();
    }
    return userStations();
}

void StationsWindow::refresh() {
    auto read = userStations().stations();
    if (!read) {
        m_rows.clear();
        m_dialogs.warning(this, QString::fromStdString(read.failure().message));
    } else {
        m_rows = std::move(*read);
    }
    fillTable();
    updateNote();
    updateCommands();
}

// The table's cells of a station: numbers exactly as stored, with the user's decimal mark.
std::array<QString, 16> StationsWindow::cellsOf(const refdata::StationRow& station) const {
    const auto number = [this](const std::optional<double>& value) {
        return value ? QString::fromStdString(report::formatExact(*value, m_style)) : QString();
    };
    const auto& k = station.coefficients;
    const auto& idf = station.idf;
    return {codeOf(station),
            nameOf(station),
            QString::fromStdString(station.state.value_or(std::string())),
            refdata::givenIn(station).idfKind() ? QStringLiteral("Equação IDF")
                                                : QStringLiteral("Pfafstetter"),
            number(k.a),
            number(k.b),
            number(k.c),
            number(k.B5),
            number(k.B15),
            number(k.B30),
            number(k.Bm),
            number(idf[0]),
            number(idf[1]),
            number(idf[2]),
            number(idf[3]),
            QString::fromStdString(station.idfSource.value_or(std::string()))};
}

void StationsWindow::fillTable() {
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto cells = cellsOf(m_rows[static_cast<std::size_t>(row)]);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            // The numbers to the right; the texts, the source last among them, to the left.
            if (column >= 4 && column + 1 < cells.size()) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            m_table->setItem(row, static_cast<int>(column), item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

// Rich text, one line per database: a path is not broken across lines.
void StationsWindow::updateNote() {
    if (!m_source.userDatabase) {
        // No HOME on Linux, no APPDATA on Windows: the note names neither.
        m_note->setText(QStringLiteral("Sem pasta pessoal para os dados do programa não há onde "
                                       "guardar os seus postos: eles podem ser vistos e "
                                       "exportados, não alterados."));
        return;
    }
    const fs::path inUse = m_source.databaseInUse();
    const fs::path& user = *m_source.userDatabase;
    const QString userPath = shownPath(user).toHtmlEscaped();
    if (samePlace(inUse, user)) {
        m_note->setText(QStringLiteral("Postos do seu banco de dados: %1").arg(userPath));
        return;
    }
    std::error_code error;
    QString note =
        QStringLiteral("Banco de dados em uso, que não é alterado: %1<br>Seu banco de dados, "
                       "onde as alterações são gravadas: %2")
            .arg(shownPath(inUse).toHtmlEscaped(), userPath);
    if (!fs::exists(user, error)) {
        note += QStringLiteral("<br>A primeira alteração o cria com os postos e terrenos do "
                               "banco em uso.");
    }
    if (inProgramFolder(inUse)) {
        note += QStringLiteral("<br><b>Atenção:</b> o banco em uso está na pasta do programa e "
                               "vem antes do seu na busca. Enquanto ele existir, a janela "
                               "principal não mostra os postos alterados aqui.");
    }
    m_note->setText(note);
}

void StationsWindow::updateCommands() {
    const bool writable = m_source.userDatabase.has_value();
    for (QPushButton* command : m_changeCommands) {
        command->setEnabled(writable);
    }
    const bool selected = selectedIndex().has_value();
    m_edit->setEnabled(writable && selected);
    m_delete->setEnabled(writable && selected);
}

std::optional<std::size_t> StationsWindow::selectedIndex() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(selected.first()->row());
}

bool StationsWindow::followed(const std::optional<util::Failure>& error, int row) {
    if (error) {
        m_dialogs.warning(this, QString::fromStdString(error->message));
        return false;
    }
    if (m_source.changed) {
        m_source.changed();
    }
    refresh();
    if (row >= 0 && row < m_table->rowCount()) {
        m_table->selectRow(row);
    }
    return true;
}

void StationsWindow::openForm(const QString& title,
                              const std::optional<refdata::StationRow>& station, int row,
                              const Change& change) {
    auto* form = new StationForm(
        m_dialogs, title, station, m_style,
        [this, row, change](const refdata::StationTexts& texts) -> std::optional<QString> {
            if (const auto error = change(stationsToChange(), texts)) {
                return QString::fromStdString(error->message);
            }
            followed(std::nullopt, row);
            return std::nullopt;
        },
        this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->open();
}

void StationsWindow::addStation() {
    proposeStation(std::nullopt);
}

void StationsWindow::proposeStation(const std::optional<refdata::StationRow>& station) {
    openForm(QStringLiteral("Novo posto"), station, m_table->rowCount(),
             [](refdata::UserStations stations, const refdata::StationTexts& texts) {
                 return stations.add(texts);
             });
}

void StationsWindow::editStation() {
    const std::optional<std::size_t> index = selectedIndex();
    if (!index || !m_source.userDatabase) {
        return;
    }
    const std::string listed = m_rows[*index].code.value_or("");
    openForm(QStringLiteral("Editar posto"), m_rows[*index], static_cast<int>(*index),
             [index, listed](refdata::UserStations stations, const refdata::StationTexts& texts) {
                 return stations.edit(*index, listed, texts);
             });
}

void StationsWindow::deleteStation() {
    const std::optional<std::size_t> index = selectedIndex();
    if (!index) {
        return;
    }
    const refdata::StationRow& row = m_rows[*index];
    if (!m_dialogs.askYesNo(
            this,
            QStringLiteral("Excluir o posto \"%1\" (código %2)?").arg(nameOf(row), codeOf(row)))) {
        return;
    }
    followed(stationsToChange().remove(*index, row.code.value_or("")), -1);
}

void StationsWindow::importCsv() {
    const std::optional<QString> path = m_dialogs.askOpenFileName(
        this, {QStringLiteral("Importar postos de um arquivo CSV"),
               {QStringLiteral("Arquivo de postos (*.csv)"), QStringLiteral("Todos (*)")}});
    if (path) {
        followImport(*path, stationsToChange().importCsv(localPath(*path)));
    }
}

void StationsWindow::importAccess() {
    const std::optional<QString> path = m_dialogs.askOpenFileName(
        this, {QStringLiteral("Importar postos de um banco de dados do Access"),
               {QStringLiteral("Banco de dados do Access (*.mdb *.accdb)"),
                QStringLiteral("Todos (*)")}});
    if (path) {
        followImport(*path, stationsToChange().importAccess(localPath(*path)));
    }
}

void StationsWindow::followImport(const QString& path,
                                  const util::Result<refdata::ImportNotes>& imported) {
    if (!imported) {
        followed(imported.failure(), -1);
        return;
    }
    followed(std::nullopt, -1);
    const refdata::ImportNotes& notes = *imported;
    QString text;
    const auto list = [&text, &path](const QString& heading,
                                     const std::vector<std::string>& lines) {
        if (lines.empty()) {
            return;
        }
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) +
                heading.arg(QDir::toNativeSeparators(path));
        for (const std::string& line : lines) {
            text += QStringLiteral("\n- ") + QString::fromStdString(line) + QLatin1Char('.');
        }
    };
    list(QStringLiteral("Estes postos de %1 não foram importados:"), notes.leftOut);
    list(QStringLiteral("Estes postos de %1 foram importados, mas confira-os:"), notes.warnings);
    if (!text.isEmpty()) {
        m_dialogs.warning(this, text);
    }
}

void StationsWindow::exportCsv() {
    const std::optional<QString> path = m_dialogs.askSaveFileName(
        this, SaveFileRequest::ofKind(QStringLiteral("Exportar postos"),
                                      QStringLiteral("Arquivo de postos (*.csv)"),
                                      QStringLiteral("csv"), QStringLiteral("postos.csv")));
    if (!path) {
        return;
    }
    if (const auto error = userStations().exportCsv(localPath(*path))) {
        m_dialogs.warning(this, QString::fromStdString(error->message));
        return;
    }
    m_dialogs.information(this, QStringLiteral("Arquivo %1 exportado com êxito").arg(*path));
}

} // namespace ui
