// The calculate command: required fields per mode, runs the core refuses, the results grid,
// and the worked example against zeb-calc.

#include "window_harness.h"

#include "calc/calculation.h"
#include "report/results_grid.h"
#include "ui/number_style_source.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

namespace {

struct Entry {
    const char* field;
    const char* text;
};

} // namespace

using namespace Qt::StringLiterals;

class CalculateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    void selectMode(bool automatic) {
        const char* name = automatic ? "Option1" : "Option2";
        QTest::mouseClick(h->window().findChild<QRadioButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }

    // Fills the window for a run: the station "Vila Rica" (the worked example's constants),
    // CN 75, area 50, length 10, drop 100, duration "1 h", TR 100, and K, a, b, c.
    void fillEverything(bool automatic) {
        h->pick(h->list("cboPosto"), 0);
        selectMode(false);
        for (const Entry& entry :
             {Entry{"txtCN", "75"}, Entry{"txtArea", "50"}, Entry{"txtComprimento", "10"},
              Entry{"txtDesnivel", "100"}, Entry{"txtRecorrencia", "100"}, Entry{"txtK", "2.3"},
              Entry{"txta", "0.2"}, Entry{"txtb", "25"}, Entry{"txtc", "20"}}) {
            h->type(h->field(entry.field), QString::fromUtf8(entry.text));
        }
        h->pick(h->list("cboDuracao"), QStringLiteral("1 h"));
        selectMode(automatic);
    }

    void emptyThe(const QString& name) {
        if (name.startsWith(QStringLiteral("cbo"))) {
            // A list can be emptied of its selection only by the program.
            h->list(name.toLatin1().constData())->setCurrentIndex(-1);
        } else {
            QLineEdit* field = h->field(name.toLatin1().constData());
            const bool enabled = field->isEnabled();
            field->setEnabled(true);
            h->clear(field);
            field->setEnabled(enabled);
        }
    }

    QStringList gridColumn(int column) {
        QStringList texts;
        for (int row = 1; row <= 15; ++row) {
            texts.append(h->cell(row, column));
        }
        return texts;
    }

private Q_SLOTS:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    void refusedRunChangesNothing_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("emptied");
        for (const char* name : {"cboCodigo", "txtCN", "cboDuracao", "txtArea", "txtComprimento",
                                 "txtDesnivel", "txtRecorrencia"}) {
            QTest::addRow("Automática without %s", name) << true << QString::fromLatin1(name);
        }
        for (const char* name : {"txtCN", "cboDuracao", "txtArea", "txtComprimento", "txtDesnivel",
                                 "txtK", "txta", "txtb", "txtc"}) {
            QTest::addRow("Própria without %s", name) << false << QString::fromLatin1(name);
        }
    }
    void refusedRunChangesNothing() {
        QFETCH(bool, automatic);
        QFETCH(QString, emptied);
        QVERIFY(h->open());
        fillEverything(automatic);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const QStringList flows = gridColumn(1);
        const calc::CalculationRecord before = h->window().record();

        // A second, different run would change the grid if it were not refused.
        h->type(h->field("txtArea"), QStringLiteral("80"));
        emptyThe(emptied);
        h->button("cmdCalcular")->click();
        const auto messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Todos os campos devem estar preenchidos"));
        QCOMPARE(messages[0].title, QStringLiteral("Aviso!"));
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        QCOMPARE(gridColumn(1), flows);
        QCOMPARE(h->window().record().totalFlow, before.totalFlow);
    }

    void refusedFirstRunLeavesCommandsDisabled() {
        QVERIFY(h->open());
        h->button("cmdCalcular")->click();
        QCOMPARE(h->dialogs().takeMessages().size(), 1);
        QVERIFY(!h->button("cmdImprimir")->isEnabled());
        QVERIFY(!h->button("cmdExportar")->isEnabled());
        QVERIFY(h->cell(1, 0).isEmpty());
    }

    // Fields a mode does not need are neither required nor read; a blank counts as filled.
    void acceptedRuns_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("returnPeriod");
        QTest::newRow("Própria without TR") << false << "txtRecorrencia"
                                            << "" << 0.0;
        QTest::newRow("Própria with a blank TR") << false << "txtRecorrencia"
                                                 << " " << 0.0;
        QTest::newRow("Automática without K") << true << "txtK"
                                              << "" << 100.0;
        QTest::newRow("Automática with c of text") << true << "txtc"
                                                   << "abc" << 100.0;
    }
    void acceptedRuns() {
        QFETCH(bool, automatic);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(double, returnPeriod);
        QVERIFY(h->open());
        fillEverything(automatic);
        QLineEdit* target = h->field(field.toLatin1().constData());
        target->setEnabled(true);
        h->clear(target);
        QTest::keyClicks(target, text);
        selectMode(!automatic);
        selectMode(automatic);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        QCOMPARE(h->window().record().returnPeriodYears, std::optional<double>(returnPeriod));
        QVERIFY(h->button("cmdImprimir")->isEnabled());
        QVERIFY(h->button("cmdExportar")->isEnabled());
        QVERIFY(!h->cell(15, 1).isEmpty());
    }

    // The core's refusal is shown and nothing changes: record, grid and commands.
    void undefinedRunShowsTheCoreMessage_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("station");
        QTest::newRow("CN 0") << true << "txtCN"
                              << "0" << 0;
        QTest::newRow("TR 0 in Automática") << true << "txtRecorrencia"
                                            << "0" << 0;
        QTest::newRow("station without Bm") << true << ""
                                            << "" << 5;
        QTest::newRow("station of an empty name") << true << ""
                                                  << "" << 4;
        QTest::newRow("1 + c t below 0") << false << "txtc"
                                         << "-5" << 0;
    }
    void undefinedRunShowsTheCoreMessage() {
        QFETCH(bool, automatic);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, station);
        QVERIFY(h->open());
        fillEverything(automatic);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const QStringList times = gridColumn(0);
        const QStringList flows = gridColumn(1);
        const calc::CalculationRecord before = h->window().record();

        if (!field.isEmpty()) {
            QLineEdit* target = h->field(field.toLatin1().constData());
            selectMode(false);
            h->type(target, text);
            selectMode(automatic);
        }
        if (station != 0) {
            h->pick(h->list("cboCodigo"), station);
        }
        h->button("cmdCalcular")->click();
        const auto messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].text.startsWith(QStringLiteral("Não é possível calcular")) ||
                     messages[0].text.startsWith(QStringLiteral("Valor inválido")),
                 qPrintable(messages[0].text));
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        QCOMPARE(gridColumn(0), times);
        QCOMPARE(gridColumn(1), flows);
        QCOMPARE(h->window().record().totalFlow, before.totalFlow);
        QCOMPARE(h->window().record().curveNumber, before.curveNumber);
    }

    void gridTimes_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("row1");
        QTest::addColumn<QString>("row2");
        QTest::addColumn<QString>("row15");
        QTest::newRow("5 min") << englishUS() << "5 min"
                               << "0.08"
                               << "0.17"
                               << "1.25";
        QTest::newRow("6 d, en_US") << englishUS() << "6 d"
                                    << "144.00"
                                    << "288.00"
                                    << "2,160.00";
        QTest::newRow("6 d, pt_BR") << portugueseBR() << "6 d"
                                    << "144,00"
                                    << "288,00"
                                    << "2.160,00";
    }
    void gridTimes() {
        QFETCH(QLocale, locale);
        QFETCH(QString, duration);
        QFETCH(QString, row1);
        QFETCH(QString, row2);
        QFETCH(QString, row15);
        QVERIFY(h->open(locale));
        fillEverything(false);
        h->pick(h->list("cboDuracao"), duration);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const auto padded = [](const QString& text) {
            return QString(25 - text.size(), QLatin1Char(' ')) + text;
        };
        QCOMPARE(h->cell(1, 0), padded(row1));
        QCOMPARE(h->cell(2, 0), padded(row2));
        QCOMPARE(h->cell(15, 0), padded(row15));
        QCOMPARE(h->cell(0, 0), QStringLiteral("        Tempo (h)"));
    }

    // A falling rainfall relation gives negative flows: the grid shows 0.00, the record keeps them.
    void negativeFlowShowsZero() {
        QVERIFY(h->open());
        fillEverything(false);
        // With CN 100 all rain is excess; past its peak near 11 h the relation falls.
        h->type(h->field("txta"), QStringLiteral("-1"));
        h->type(h->field("txtCN"), QStringLiteral("100"));
        h->pick(h->list("cboDuracao"), QStringLiteral("4 h"));
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const calc::CalculationRecord& record = h->window().record();
        int negatives = 0;
        for (int row = 1; row <= 15; ++row) {
            const double flow = record.totalFlow[static_cast<std::size_t>(row)].value_or(0);
            if (flow < 0) {
                ++negatives;
                QCOMPARE(h->cell(row, 1), QString(21, QLatin1Char(' ')) + QStringLiteral("0.00"));
            }
        }
        QVERIFY(negatives > 5);
    }

    // The grid of the worked example shows exactly what zeb-calc computes for the same inputs.
    void workedExampleMatchesTheCommandLine_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("en_US") << englishUS();
        QTest::newRow("pt_BR") << portugueseBR();
    }
    void workedExampleMatchesTheCommandLine() {
#ifndef ZEB_CALC_PROGRAM
        QSKIP("zeb-calc is not part of this build");
#else
        QFETCH(QLocale, locale);
        QProcess zebCalc;
        zebCalc.start(QStringLiteral(ZEB_CALC_PROGRAM),
                      QStringList{u"--duration"_s, u"1 h"_s, u"--cn"_s, u"75"_s, u"--area"_s,
                                  u"50"_s, u"--length"_s, u"10"_s, u"--drop"_s, u"100"_s,
                                  u"--return-period"_s, u"100"_s, u"--station-constants"_s,
                                  u"0.2,25,20,-0.04,0.08,0.08,0.08"_s, u"--format"_s, u"json"_s});
        QVERIFY(zebCalc.waitForFinished(10000));
        QCOMPARE(zebCalc.exitCode(), 0);
        const QJsonObject json = QJsonDocument::fromJson(zebCalc.readAllStandardOutput())
                                     .object()[u"record"_s]
                                     .toObject();
        calc::CalculationRecord expected;
        const QJsonArray times = json[u"timesH"_s].toArray();
        const QJsonArray flows = json[u"totalFlow"_s].toArray();
        QCOMPARE(times.size(), 15);
        for (int i = 1; i <= 15; ++i) {
            expected.timesH[static_cast<std::size_t>(i)] = times[i - 1].toDouble();
            expected.totalFlow[static_cast<std::size_t>(i)] = flows[i - 1].toDouble();
        }

        QVERIFY(h->open(locale));
        fillEverything(true);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const report::NumberStyle style = ui::numberStyleOf(locale);
        for (int row = 1; row <= 15; ++row) {
            QCOMPARE(h->cell(row, 0),
                     QString::fromStdString(report::gridTimeCell(expected, row, style)));
            QCOMPARE(h->cell(row, 1),
                     QString::fromStdString(report::gridFlowCell(expected, row, style)));
        }
        QCOMPARE(h->window().record().concentrationTimeH, json[u"concentrationTimeH"_s].toDouble());
#endif
    }
};

QTEST_MAIN(CalculateTest)
#include "tst_calculate.moc"
