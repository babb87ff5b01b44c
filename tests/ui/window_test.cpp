#include "window_test.h"

#include "tests/test_files.h"
#include "tests/worked_example.h"
#include "ui/common/number_style_source.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

util::Result<std::vector<calc::Station>> FakeDatabase::allStations() {
    if (unreadable.count("zeb") != 0) {
        return util::Failure{util::Failure::Kind::Database, "Valor nulo na tabela zeb."};
    }
    std::vector<calc::Station> items;
    for (const auto& s : stations) {
        items.push_back({s.code, s.name, s.state, {}});
    }
    return items;
}

namespace {

util::Failure nullValue(const char* table, const std::filesystem::path& file) {
    return {util::Failure::Kind::Database,
            std::string("Valor nulo na tabela ") + table + " em " + file.string() + "."};
}

// The golden report (tests/data, the exported file's bytes) as text lines.
QStringList goldenReportLines() {
    return reportFileLines(
        fileBytes(QStringLiteral(ZEB_TEST_DATA_DIR "/worked-example-report.txt")));
}

} // namespace

util::Result<std::vector<std::string>> FakeDatabase::landClassesOfZone(std::string_view zone) {
    if (unreadable.count(std::string(zone)) != 0) {
        return nullValue("cn", m_path);
    }
    std::vector<std::string> items;
    for (const auto& row : curveNumbers) {
        if (zone.empty() || row.zone == zone) {
            items.push_back(row.landClass);
        }
    }
    return items;
}

util::Result<std::optional<calc::Station>>
FakeDatabase::findStationByName(std::string_view name) {
    ++stationLookups;
    if (unreadable.count(std::string(name)) != 0) {
        return nullValue("zeb", m_path);
    }
    const auto found = std::ranges::find(stations, name, &calc::Station::name);
    return found == stations.end() ? std::nullopt : std::optional(*found);
}

util::Result<std::optional<double>> FakeDatabase::findCurveNumber(std::string_view landClass) {
    if (unreadable.count(std::string(landClass)) != 0) {
        return nullValue("cn", m_path);
    }
    const auto found =
        std::ranges::find(curveNumbers, landClass, &refdata::CurveNumberRecord::landClass);
    return found == curveNumbers.end() ? std::nullopt : std::optional(found->curveNumber);
}

bool WindowHarness::open(const char* locale, const std::function<void(FakeDatabase&)>& adjust) {
    ui::MainWindowServices services;
    services.openDatabase =
        [this, adjust]() -> util::Result<std::unique_ptr<refdata::ReferenceDatabase>> {
        if (openingFailure) {
            return util::Failure{util::Failure::Kind::Database, *openingFailure};
        }
        auto db = std::make_unique<FakeDatabase>();
        const calc::StationCoefficients example{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
        db->stations = {{"101", zebtest::kGoldenStation, "MG", example},
                        {"102", "Pau d'Alho", "PE",
                         calc::StationCoefficients{0.3, 20, 15, -0.04, 0.08, 0.08, 0.09}},
                        {"103", zebtest::kGoldenStation, "GO",
                         calc::StationCoefficients{0.5, 30, 25, 0, 0.1, 0.1, 0.1}},
                        {"104", "", "SP", example}};
        db->curveNumbers = {{"Floresta", "Rural", 55},
                            {"Pastagem", "Rural", 69},
                            {"Área comercial", "Urbana", 92},
                            {"Pastagem", "Urbana", 79},
                            {"Solo d'aluvião", "Rural", 77.5}};
        if (adjust) {
            adjust(*db);
        }
        m_database = db.get();
        return std::unique_ptr<refdata::ReferenceDatabase>(std::move(db));
    };
    if (opener) {
        services.openDatabase = opener;
    }
    services.dialogs = &dialogs;
    services.numberStyle = ui::numberStyleOf(QLocale(QString::fromLatin1(locale)));
    services.clock = clock;
    services.printer = printer;
    m_window = std::make_unique<ui::frmZEB>(std::move(services));
    if (!m_window->Form_Load()) {
        return false;
    }
    m_window->show();
    return QTest::qWaitForWindowActive(m_window.get());
}

bool WindowHarness::openAtTheGoldenMoment(const char* locale,
                                          const std::function<void(FakeDatabase&)>& adjust) {
    clock = [] {
        return QDateTime::fromString(QString::fromLatin1(zebtest::kGoldenTimestamp),
                                     QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    };
    return open(locale, adjust);
}

void WindowHarness::type(const char* name, const QString& text) {
    QLineEdit* target = field(name);
    QTest::mouseClick(target, Qt::LeftButton);
    target->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Backspace);
    }
    for (const QChar c : text) {
        // As the keyboard delivers a character, also beyond ASCII.
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void WindowHarness::pressTab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void WindowHarness::pick(const char* name, const QString& text) {
    QComboBox* target = list(name);
    target->showPopup();
    target->view()->setCurrentIndex(target->model()->index(target->findText(text), 0));
    QTest::keyClick(target->view(), Qt::Key_Return);
}

QString WindowHarness::cell(int row, int column) const {
    const QTableWidgetItem* item = child<QTableWidget>("grdVazoes")->item(row, column);
    return item != nullptr ? item->text() : QString();
}

QString WindowHarness::focusName() const {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

void WindowHarness::enterWorkedExample() {
    type("txtRio", QString::fromUtf8(zebtest::kGoldenRiver));
    pick("cboPosto", QString::fromUtf8(zebtest::kGoldenStation));
    type("txtCN", QStringLiteral("75"));
    type("txtArea", QStringLiteral("50"));
    type("txtComprimento", QStringLiteral("30.46"));
    type("txtDesnivel", QStringLiteral("235.59"));
    pick("cboDuracao", QStringLiteral("1 h"));
    type("txtRecorrencia", QStringLiteral("100"));
}

void WindowHarness::runWorkedExample() {
    enterWorkedExample();
    QTest::mouseClick(button("cmdCalcular"), Qt::LeftButton);
}

void WindowHarness::enterIdfEquation() {
    child<QRadioButton>("Option3")->click();
    type("txtIdfK", QStringLiteral("897.79"));
    type("txtIdfm", QStringLiteral("0.1463"));
    type("txtIdft0", QStringLiteral("11.83"));
    type("txtIdfn", QStringLiteral("0.7580"));
}

void WindowTest::cleanup() {
    QString left;
    for (const ShownMessage& message : h->dialogs.messages) {
        left += QStringLiteral("a box left: [%1] %2\n").arg(message.title, message.text);
    }
    h.reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

QByteArray fileBytes(const QString& path) {
    return QByteArray::fromStdString(zebtest::readFile(QFile::encodeName(path).toStdString()));
}

QStringList goldenSeries(const QString& label) {
    for (const QString& line : goldenReportLines()) {
        if (line.trimmed().startsWith(label)) {
            return line.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
    }
    return {};
}

QStringList expectedWorkedExampleReport() {
    QStringList lines = goldenReportLines();
    lines[7] = QStringLiteral("   Comprimento do talvegue: 30.46 km     ");
    lines[8] = QStringLiteral("                  Desnível: 235.59 m      ");
    return lines;
}

QStringList reportFileLines(const QByteArray& bytes) {
    // The report's letters are all Latin-1, where Windows-1252 agrees with it.
    QString text = QString::fromLatin1(bytes);
    if (text.endsWith(QStringLiteral("\r\n"))) {
        text.chop(2);
    }
    return text.split(QStringLiteral("\r\n"));
}
