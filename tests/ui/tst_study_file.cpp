// Study files as a user keeps them: saved, reopened into a fresh window and computed by
// zeb-calc with the same report; the title and the unsaved-changes question; a study whose
// station the database lost or changed; a damaged file.

#include "window_test.h"

#include "cli/command.h"
#include "report/study_file.h"
#include "tests/test_files.h"
#include "tests/worked_example.h"

#include <sstream>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class StudyFileTest : public WindowTest {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString writeStudy(const QString& name, const std::string& bytes) {
        zebtest::writeFile(QFile::encodeName(file(name)).toStdString(), bytes);
        return file(name);
    }
    static void trigger(WindowHarness& harness, const char* action) {
        harness.child<QAction>(action)->trigger();
    }
    QByteArray exportReport(WindowHarness& harness, const QString& name) {
        harness.dialogs.saveAnswers = {file(name)};
        harness.button("cmdExportar")->click();
        const bool confirmed = harness.dialogs.take().value(0).text.startsWith(u"Arquivo "_s);
        return confirmed ? fileBytes(file(name)) : "none";
    }
    QString title() const { return h->window().windowTitle(); }

private Q_SLOTS:
    void initTestCase() {
        // The recent studies go to settings of the test's own.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(file(u"config"_s)));
    }

    void savedStudyReopensWithTheCommandLinesReport_data() {
        QTest::addColumn<bool>("idf");
        QTest::newRow("Automática") << false;
        QTest::newRow("Equação IDF") << true;
    }
    void savedStudyReopensWithTheCommandLinesReport() {
        QFETCH(bool, idf);
        QVERIFY(h->openAtTheGoldenMoment("pt_BR"));
        h->enterWorkedExample();
        report::StudyInputs expected = zebtest::workedExampleStudy();
        if (idf) {
            h->enterIdfEquation();
            expected.mode = calc::EquationMode::Idf;
            expected.idfConstants = {897.79, 0.1463, 11.83, 0.758};
        }
        h->button("cmdCalcular")->click();
        h->dialogs.saveAnswers = {file(u"estudo.zeb"_s)};
        trigger(*h, "mnuSalvarComo");
        QCOMPARE(h->dialogs.saveRequests.value(0).nameFilters,
                 QStringList{u"Estudo ZEB (*.zeb)"_s});
        QCOMPARE(title(), u"estudo.zeb[*] - ZEB"_s);
        QVERIFY(!h->window().isWindowModified());
        // The typed values, not their regional texts.
        const auto saved = report::loadStudyFile(QFile::encodeName(file(u"estudo.zeb"_s)).data());
        QVERIFY(saved == decltype(saved)(expected));
        const QByteArray first = exportReport(*h, u"primeiro.txt"_s);
        QCOMPARE(reportFileLines(first).value(4).trimmed().startsWith(u"Equação IDF: K=897,79 "_s),
                 idf);

        WindowHarness fresh;
        QVERIFY(fresh.openAtTheGoldenMoment("pt_BR"));
        fresh.dialogs.openAnswers = {file(u"estudo.zeb"_s)};
        trigger(fresh, "mnuAbrir");
        QCOMPARE(fresh.text("txtArea"), u"50,00"_s); // as typed and left
        QCOMPARE(exportReport(fresh, u"segundo.txt"_s), first);

        cli::ProcessEnvironment environment;
        environment.reportTimestamp = zebtest::kGoldenTimestamp;
        std::ostringstream out;
        std::ostringstream err;
        const std::string path = file(u"estudo.zeb"_s).toStdString();
        QCOMPARE(cli::runZebCalc({"--input", path, "--locale", "pt_BR"}, environment, out, err), 0);
        QCOMPARE(QByteArray::fromStdString(out.str()), first);
    }

    // Novo, Abrir and closing a study ask once about unsaved work; Cancelar, or a save that
    // is cancelled or fails, keeps everything.
    void unsavedChangesAreAskedAbout() {
        const QString study =
            writeStudy(u"rio.zeb"_s, report::studyFileBytes(zebtest::workedExampleStudy()));
        QVERIFY(h->open("pt_BR"));
        h->type("txtRio", u"Rio Doce"_s);
        h->dialogs.openAnswers = {study, study};
        using enum ui::UnsavedChoice;
        h->dialogs.unsavedAnswers = {Cancel, Discard, Cancel, Cancel, Discard};
        trigger(*h, "mnuAbrir");
        QCOMPARE(h->text("txtRio"), u"Rio Doce"_s);
        trigger(*h, "mnuAbrir");
        QCOMPARE(title(), u"rio.zeb[*] - ZEB"_s);
        QVERIFY(!h->window().isWindowModified());
        h->type("txtArea", u"60"_s);
        QVERIFY(h->window().isWindowModified());
        trigger(*h, "mnuNovo");
        QVERIFY(!h->window().close());
        QCOMPARE(h->text("txtArea"), u"60"_s);
        trigger(*h, "mnuNovo");
        QCOMPARE(title(), u"ZEB"_s);
        QVERIFY(h->window().studyInputs() == report::StudyInputs{});

        h->type("txtRio", u"Rio Doce"_s);
        h->dialogs.unsavedAnswers = {Save, Save};
        h->dialogs.saveAnswers = {QString(), m_dir.path()};
        trigger(*h, "mnuNovo");
        trigger(*h, "mnuNovo");
        QCOMPARE(h->text("txtRio"), u"Rio Doce"_s);
        QVERIFY(h->dialogs.take().value(0).text.contains(m_dir.path()));
        // Without a study file, closing asks too, once, and may go on without saving.
        h->dialogs.unsavedAnswers = {Discard};
        QVERIFY(h->window().close());
        const QString typed = u"Salvar os dados digitados em um estudo? Sem salvar, eles serão "
                              "perdidos."_s;
        const QString changed = u"Salvar as alterações do estudo \"rio.zeb\"?"_s;
        QCOMPARE(h->dialogs.questions,
                 QStringList({typed, typed, changed, changed, changed, typed, typed, typed}));
    }

    // The study's copy of the station's constants gives the study's report: the golden one.
    void stationCopyOfTheStudy_data() {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("deleted from the database") << true;
        QTest::newRow("other constants in the database") << false;
    }
    void stationCopyOfTheStudy() {
        QFETCH(bool, deleted);
        const QString study =
            writeStudy(u"posto.zeb"_s, report::studyFileBytes(zebtest::workedExampleStudy()));
        QVERIFY(h->openAtTheGoldenMoment("en_US", [deleted](FakeDatabase& database) {
            if (deleted) {
                database.stations.erase(database.stations.begin());
            } else {
                std::get<calc::StationCoefficients>(database.stations[0].rainfall).a = 0.3;
            }
        }));
        h->dialogs.openAnswers = {study};
        trigger(*h, "mnuAbrir");
        QCOMPARE(h->dialogs.take().value(0).text,
                 u"O posto \"%1\" (código 101) do estudo %2: o cálculo usa as constantes "
                 "copiadas no estudo."_s.arg(QString::fromUtf8(zebtest::kGoldenStation),
                                             deleted
                                                 ? u"não está no banco de dados"_s
                                                 : u"tem no banco de dados outras constantes"_s));
        QCOMPARE(h->child<QLabel>("lblPosto")->text(), u"Posto (cópia do estudo):"_s);
        QCOMPARE(reportFileLines(exportReport(*h, u"posto.txt"_s)), expectedWorkedExampleReport());
        // Lists refilled after a change of stations keep the copy last, and chosen.
        h->window().reloadStations();
        QCOMPARE(h->list("cboPosto")->currentIndex(), h->list("cboPosto")->count() - 1);
        QCOMPARE(h->window().currentStation()->coefficients()->a, 0.2);
        // Another station and then the copy again: the copy's constants still.
        h->pick("cboPosto", u"Pau d'Alho"_s);
        QCOMPARE(h->child<QLabel>("lblPosto")->text(), u"Posto:"_s);
        QCOMPARE(h->child<QLabel>("lblPosto")->width(), 495 / 15); // its width in the form
        QComboBox* names = h->list("cboPosto");
        names->setCurrentIndex(names->count() - 1);
        h->child<QPushButton>("cmdCalcular")->click();
        QCOMPARE(reportFileLines(exportReport(*h, u"posto.txt"_s)), expectedWorkedExampleReport());
        // A new study lists the database's stations only, and has no results to export.
        trigger(*h, "mnuNovo");
        QCOMPARE(names->count(), deleted ? 3 : 4);
        QVERIFY(!h->button("cmdExportar")->isEnabled());
    }

    // A file cut in half is refused before anything is asked or changed.
    void damagedStudyChangesNothing() {
        QVERIFY(h->open("pt_BR"));
        h->enterWorkedExample();
        const report::StudyInputs typed = h->window().studyInputs();
        const std::string bytes = report::studyFileBytes(zebtest::workedExampleStudy());
        const QString cut = writeStudy(u"cortado.zeb"_s, bytes.substr(0, bytes.size() / 2));
        h->dialogs.openAnswers = {cut};
        trigger(*h, "mnuAbrir");
        QVERIFY(h->dialogs.take().value(0).text.contains(cut));
        QVERIFY(h->window().studyInputs() == typed);
        QVERIFY(h->dialogs.questions.isEmpty());
    }
};

QTEST_MAIN(StudyFileTest)
#include "tst_study_file.moc"
