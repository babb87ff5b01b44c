// The "Postos" window as a user reaches it from the main window, over a real database in a
// temporary installation: every change lands in the user's database and the main window's
// station lists follow at once.

#include "window_test.h"

#include "refdata/csv/csv_import.h"
#include "refdata/open_database.h"
#include "refdata/sqlite/sqlite_writer.h"
#include "refdata/user_stations.h"
#include "ui/stations/station_form.h"
#include "ui/stations/stations_window.h"

#include <filesystem>
#include <memory>

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

const QString kShippedStation = u"Posto de exemplo (valores ilustrativos)"_s;

} // namespace

class StationsTest : public WindowTest {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_user;
    ui::StationsWindow* m_stations = nullptr;

    // The program installed in a temporary folder with the shipped database in its data
    // folder; the user's database goes under a temporary XDG_DATA_HOME (APPDATA on Windows).
    void openInstalled() {
        m_dir = std::make_unique<QTemporaryDir>();
        const fs::path root = m_dir->path().toStdString();
        const fs::path data = refdata::installedDataDir(root / "bin");
        fs::create_directories(data);
        refdata::writeSqliteDatabase(
            data / "zeb.sqlite",
            {refdata::readStationsCsv(ZEB_SHIPPED_DATA_DIR "/stations.csv"),
             refdata::readCurveNumbersCsv(ZEB_SHIPPED_DATA_DIR "/curve_numbers.csv")});
        // The user's data folder as Linux and Windows name it: both hold zeb/zeb.sqlite.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((root / "xdg").string()));
        qputenv("APPDATA", QByteArray::fromStdString((root / "xdg").string()));
        m_user = root / "xdg" / "zeb" / "zeb.sqlite";
        h->opener = [root] {
            return refdata::openProgramDatabase(root / "bin", refdata::userDatabasePath());
        };
        QVERIFY2(h->open("pt_BR"), qPrintable(h->dialogs.take().value(0).text));
        h->pick("cboPosto", kShippedStation);
        h->window().findChild<QAction*>(u"mnuPostos"_s)->trigger();
        m_stations = h->window().findChild<ui::StationsWindow*>();
        QVERIFY(m_stations != nullptr && m_stations->isVisible());
    }

    void click(const char* command, int row = -1) {
        if (row >= 0) {
            m_stations->findChild<QTableWidget*>(u"grdPostos"_s)->selectRow(row);
        }
        QTest::mouseClick(m_stations->findChild<QPushButton*>(QLatin1String(command)),
                          Qt::LeftButton);
    }
    QTableWidget* table() const { return m_stations->findChild<QTableWidget*>(u"grdPostos"_s); }

    // The form now open, its kind chosen ("optIdf"), filled field by field ("txtCodigoPosto",
    // "txta", …), then "OK".
    ui::StationForm* submit(const QList<std::pair<const char*, QString>>& fields,
                            const char* kind = nullptr) {
        ui::StationForm* form = nullptr;
        for (auto* candidate : m_stations->findChildren<ui::StationForm*>()) {
            form = candidate->isVisible() ? candidate : form;
        }
        if (form == nullptr) {
            return nullptr;
        }
        if (kind != nullptr) {
            QTest::mouseClick(form->findChild<QRadioButton*>(QLatin1String(kind)), Qt::LeftButton);
        }
        for (const auto& [name, text] : fields) {
            form->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
        }
        QTest::mouseClick(form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        return form;
    }

    QStringList mainStations() const {
        QStringList names;
        for (int i = 0; i < h->list("cboPosto")->count(); ++i) {
            names << h->list("cboPosto")->itemText(i);
        }
        return names;
    }

private Q_SLOTS:
    void addedAndEditedStationsReachTheMainWindow() {
        openInstalled();
        click("cmdNovo");
        // A refused value: the importer's message, the form kept open with the text, nothing
        // written; corrected, the station is added.
        ui::StationForm* form = submit({{"txtCodigoPosto", u"2"_s},
                                        {"txtNomePosto", u"Ribeirão das Pedras"_s},
                                        {"txtEstadoPosto", u"MG"_s},
                                        {"txta", u"1x"_s},
                                        {"txtb", u"28"_s},
                                        {"txtc", u"15"_s},
                                        {"txtB5", u"-0.04"_s},
                                        {"txtB15", u"0.08"_s},
                                        {"txtB30", u"0.08"_s},
                                        {"txtBm", u"0.1"_s}});
        QCOMPARE(h->dialogs.take().value(0).text,
                 uR"(Posto recusado: o valor de "a" não é um número: "1x".)"_s);
        QVERIFY(form->isVisible());
        QCOMPARE(form->findChild<QLineEdit*>(u"txta"_s)->text(), u"1x"_s);
        // Numbers read as the main window reads them: one that reads two ways is refused.
        QCOMPARE(submit({{"txta", u"1.416"_s}}), form);
        QCOMPARE(h->dialogs.take().value(0).text,
                 u"O número \"1.416\" em a pode ser lido como 1416 ou como 1,416. Escreva-o sem "
                 "separador de milhares: 1416 ou 1,416."_s);
        QVERIFY(!fs::exists(m_user));
        QCOMPARE(submit({{"txta", u"0,25"_s}}), form);
        QVERIFY(fs::exists(m_user));
        QCOMPARE(mainStations(), QStringList({kShippedStation, u"Ribeirão das Pedras"_s}));
        // The choice made before the change stays, and the window now reads the user's file.
        QCOMPARE(h->list("cboPosto")->currentText(), kShippedStation);
        QCOMPARE(h->text("txtEstado"), u"XX"_s);
        QCOMPARE(h->window().currentStation()->coefficients()->a, 0.2);
        QCOMPARE(table()->item(1, 4)->text(), u"0,25"_s);

        // Editing the chosen station's constants reaches the main window's next run; an unusual
        // rainfall is kept with a warning.
        click("cmdEditar", 0);
        QVERIFY(submit({{"txta", u"15"_s}, {"txtEstadoPosto", u"SP"_s}}));
        QCOMPARE(h->dialogs.take().value(0).text,
                 u"O posto foi gravado, mas confira-o: posto \"%1\" (código 1): a chuva de 24 h "
                 "e TR 100 anos é 1049,7 mm, fora do usual (30 a 600 mm)."_s.arg(kShippedStation));
        QCOMPARE(h->window().currentStation()->coefficients()->a, 15);
        QCOMPARE(h->text("txtEstado"), u"SP"_s);
        h->pick("cboPosto", u"Ribeirão das Pedras"_s);
        QCOMPARE(h->window().currentStation()->coefficients()->Bm, 0.1);

        // A station may hold an IDF equation instead, which the list shows and which, chosen
        // in the main window, fills "Equação IDF": the report then names the station; mode
        // "Automática", which takes the seven constants, refuses it.
        click("cmdNovo");
        QVERIFY(submit({{"txtCodigoPosto", u"3"_s},
                        {"txtNomePosto", u"Campinas"_s},
                        {"txtIdfK", u"897,79"_s},
                        {"txtIdfM", u"0,1463"_s},
                        {"txtIdfT0", u"11,83"_s},
                        {"txtIdfN", u"0,758"_s},
                        {"txtFonte", u"DAEE"_s}},
                       "optIdf"));
        QCOMPARE(table()->item(2, 3)->text(), u"Equação IDF"_s);
        QCOMPARE(table()->item(1, 3)->text(), u"Pfafstetter"_s);
        QCOMPARE(table()->item(2, 11)->text(), u"897,79"_s);
        h->pick("cboPosto", u"Campinas"_s);
        QCOMPARE(*h->window().currentStation()->idf(),
                 (calc::StationIdfEquation{{897.79, 0.1463, 11.83, 0.758}, "DAEE"}));
        for (const auto& [field, text] : {std::pair{"txtRio", u"Rio"_s},
                                          {"txtCN", u"75"_s},
                                          {"txtArea", u"50"_s},
                                          {"txtComprimento", u"30"_s},
                                          {"txtDesnivel", u"235"_s},
                                          {"txtRecorrencia", u"100"_s}}) {
            h->type(field, text);
        }
        h->pick("cboDuracao", u"1 h"_s);
        QVERIFY(h->window().findChild<QRadioButton*>(u"Option3"_s)->isChecked());
        QCOMPARE(h->text("txtIdft0"), u"11,83"_s);
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        h->dialogs.saveAnswers = {m_dir->filePath(u"campinas.txt"_s)};
        h->button("cmdExportar")->click();
        QFile exported(m_dir->filePath(u"campinas.txt"_s));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(reportFileLines(exported.readAll()).value(4).trimmed(), u"Posto: Campinas"_s);
        h->dialogs.take();
        h->window().findChild<QRadioButton*>(u"Option1"_s)->click();
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        QCOMPARE(h->dialogs.take().value(0).text,
                 u"O posto \"Campinas\" tem uma equação IDF, não as constantes de Pfafstetter que "
                 "o modo \"Automática\" usa."_s);
    }

    void deletingTheChosenStationClearsTheChoice() {
        openInstalled();
        h->dialogs.yesNoAnswers = {false, true};
        click("cmdExcluir", 0);
        QCOMPARE(table()->rowCount(), 1);
        click("cmdExcluir", 0);
        QCOMPARE(h->dialogs.questions.value(1),
                 uR"(Excluir o posto ")"_s + kShippedStation + uR"(" (código 1)?)"_s);
        QCOMPARE(mainStations(), QStringList{});
        QVERIFY(!h->window().currentStation());
    }

    void importsAndExports() {
        openInstalled();
        h->dialogs.openAnswers = {QStringLiteral(ZEB_TEST_DATA_DIR "/edge-stations.csv"),
                                  QStringLiteral(ZEB_TEST_DATA_DIR "/null-values.mdb")};
        // A file with one bad line is refused whole, with the importer's message.
        click("cmdImportarCSV");
        QVERIFY(
            h->dialogs.take().value(0).text.endsWith(u"linha 6: o nome do posto está vazio."_s));
        QVERIFY(!fs::exists(m_user));
        click("cmdImportarAccess");
        QCOMPARE(mainStations(),
                 QStringList({kShippedStation, u"Posto Completo"_s, u"Posto Sem Estado"_s}));
        QCOMPARE(
            h->dialogs.take().value(0).text,
            u"Estes postos de %1 não foram importados:\n- posto \"202\": o valor de \"b\" está "
            "vazio.\n- posto \"204\": o valor de \"Bm\" está vazio."_s.arg(
                QDir::toNativeSeparators(QStringLiteral(ZEB_TEST_DATA_DIR "/null-values.mdb"))));

        const QString exported = m_dir->filePath(u"postos.csv"_s);
        const QString expected = m_dir->filePath(u"esperado.csv"_s);
        h->dialogs.saveAnswers = {exported};
        click("cmdExportarCSV");
        h->dialogs.take(); // the export's confirmation
        QVERIFY(!refdata::UserStations(m_user, m_user).exportCsv(expected.toStdString()));
        QCOMPARE(fileBytes(exported), fileBytes(expected));
    }
};

QTEST_MAIN(StationsTest)
#include "tst_stations.moc"
