// The hydrograph chart: its series read back from the chart model against the record, the
// figure's files, and the chart window following runs and saving the figure.

#include "scripted_dialogs.h"

#include "calc/calculation.h"
#include "calc/limits.h"
#include "ui/hydrograph_chart.h"
#include "ui/hydrograph_figure.h"
#include "ui/hydrograph_window.h"

#include <algorithm>
#include <set>
#include <variant>

#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

namespace {

// The worked example's basin at a unit duration.
calc::CalculationRecord workedExample(std::int16_t durationIndex, double curveNumber = 75) {
    calc::CalculationInputs inputs;
    inputs.durationIndex = durationIndex;
    inputs.curveNumber = curveNumber;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    auto record = std::get<calc::CalculationRecord>(calc::computeCalculationRecord(inputs));
    record.concentrationTimeH = 6;
    return record;
}

const ui::HydrographCaption kCaption{QStringLiteral("Rio Sapucaí"), {",", "."}};

template <typename Series> Series* findSeries(QChart* chart, const char* name) {
    for (QAbstractSeries* series : chart->series()) {
        if (series->objectName() == QLatin1String(name)) {
            return qobject_cast<Series*>(series);
        }
    }
    return nullptr;
}

QString pdfText(const QByteArray& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
    process.write(pdf);
    process.closeWriteChannel();
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class HydrographChartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seriesHoldTheRecordsValues_data() {
        QTest::addColumn<int>("durationIndex");
        QTest::addColumn<double>("curveNumber");
        QTest::newRow("1 h") << 3 << 75.0;
        QTest::newRow("5 min") << 0 << 75.0;
        QTest::newRow("6 d") << 12 << 75.0;
        // All of every block runs off.
        QTest::newRow("CN 100") << 3 << 100.0;
    }

    void seriesHoldTheRecordsValues() {
        QFETCH(int, durationIndex);
        QFETCH(double, curveNumber);
        const calc::CalculationRecord r =
            workedExample(static_cast<std::int16_t>(durationIndex), curveNumber);
        const std::unique_ptr<QChart> chart = ui::buildHydrographChart(r, kCaption);

        // The flood from 0 at time 0 through the 15 steps.
        auto* flood = findSeries<QLineSeries>(chart.get(), ui::chart_series::kFlood);
        QVERIFY(flood != nullptr);
        QCOMPARE(flood->count(), calc::kSteps + 1);
        QCOMPARE(flood->at(0), QPointF(0, 0));
        for (int i = 1; i <= calc::kSteps; ++i) {
            QCOMPARE(flood->at(i).x(), *r.timesH[i]);
            QCOMPARE(flood->at(i).y(), *r.totalFlow[i]);
        }

        // The unit hydrograph's eight ordinates on the same times.
        auto* unit = findSeries<QLineSeries>(chart.get(), ui::chart_series::kUnitHydrograph);
        QVERIFY(unit != nullptr);
        QCOMPARE(unit->count(), calc::kUnitHydrographSize + 1);
        QCOMPARE(unit->at(0), QPointF(0, 0));
        for (int k = 1; k <= calc::kUnitHydrographSize; ++k) {
            QCOMPARE(unit->at(k).x(), *r.timesH[k]);
            QCOMPARE(unit->at(k).y(), static_cast<double>(*r.unitHydrograph[k]));
        }

        // The blocks: the excess exactly, and excess plus losses the design storm's step.
        auto* bars = findSeries<QStackedBarSeries>(chart.get(), ui::chart_series::kRainfall);
        QVERIFY(bars != nullptr);
        QCOMPARE(bars->count(), 2);
        const QBarSet* losses = bars->barSets().at(0);
        const QBarSet* excess = bars->barSets().at(1);
        QCOMPARE(losses->label(), QStringLiteral("Perdas (mm)"));
        QCOMPARE(excess->label(), QStringLiteral("Precipitação efetiva (mm)"));
        QCOMPARE(excess->count(), calc::kSteps);
        double previous = 0;
        for (int i = 1; i <= calc::kSteps; ++i) {
            const double block = *r.cumulativeRainfallMm[i] - previous;
            previous = *r.cumulativeRainfallMm[i];
            QCOMPARE(excess->at(i - 1), *r.incrementalEffectiveRainfallMm[i]);
            QVERIFY(losses->at(i - 1) >= 0);
            QVERIFY(std::abs(excess->at(i - 1) + losses->at(i - 1) - block) <= 1e-9 * block);
        }

        // The peak, where the flow is highest.
        int peakStep = 1;
        for (int i = 2; i <= calc::kSteps; ++i) {
            if (*r.totalFlow[i] > *r.totalFlow[peakStep]) {
                peakStep = i;
            }
        }
        auto* peak = findSeries<QScatterSeries>(chart.get(), ui::chart_series::kPeak);
        QVERIFY(peak != nullptr);
        QCOMPARE(peak->count(), 1);
        QCOMPARE(peak->at(0), QPointF(*r.timesH[peakStep], *r.totalFlow[peakStep]));
    }

    void axesCarryUnitsAndPlaceTheBlocksOnTheirSteps() {
        const calc::CalculationRecord r = workedExample(4); // "2 h"
        const std::unique_ptr<QChart> chart = ui::buildHydrographChart(r, kCaption);
        QStringList titles;
        for (QAbstractAxis* axis : chart->axes()) {
            if (axis->isVisible()) {
                titles.append(axis->titleText());
            }
        }
        titles.sort();
        QCOMPARE(titles,
                 QStringList({QStringLiteral("Hidrograma unitário (m³/s/mm)"),
                              QStringLiteral("Precipitação (mm)"), QStringLiteral("Tempo (h)"),
                              QStringLiteral("Vazão (m³/s)")}));

        auto* bars = findSeries<QStackedBarSeries>(chart.get(), ui::chart_series::kRainfall);
        auto* flood = findSeries<QLineSeries>(chart.get(), ui::chart_series::kFlood);
        auto* time = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal, flood).at(0));
        QCOMPARE(time->min(), 0.0);
        QCOMPARE(time->max(), 30.0);
        // Block i (centred at i - 1 on its own axis) spans (i - 1)·D to i·D.
        auto* blocks = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal, bars).at(0));
        QCOMPARE(blocks->min(), -0.5);
        QCOMPARE(blocks->max(), calc::kSteps - 0.5);
        auto* rain = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical, bars).at(0));
        QVERIFY(rain->isReverse());
        QCOMPARE(rain->min(), 0.0);
        // The tallest block stays in the upper part of the plot.
        const double tallest = *r.cumulativeRainfallMm[4] - *r.cumulativeRainfallMm[3];
        QVERIFY(tallest <= 0.4 * rain->max());
    }

    void figureFilesAreProducedAndNonTrivial() {
        const calc::CalculationRecord r = workedExample(3);

        const QImage png =
            QImage::fromData(ui::hydrographFigureFile(r, kCaption, ui::FigureFormat::Png), "PNG");
        QVERIFY(!png.isNull());
        QCOMPARE(png.width(), 2200);
        std::set<QRgb> colours;
        for (int y = 0; y < png.height(); y += 7) {
            for (int x = 0; x < png.width(); x += 7) {
                colours.insert(png.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 20, "the picture is more than a blank page");
        QVERIFY(colours.count(qRgb(0x1a, 0x3e, 0x8c)) == 1); // the flood's line

        const QByteArray svg = ui::hydrographFigureFile(r, kCaption, ui::FigureFormat::Svg);
        QVERIFY(QSvgRenderer(svg).isValid());
        for (const char* text :
             {"Tempo (h)", "Vazão (m³/s)", "Precipitação (mm)", "Pico: 115,33"}) {
            QVERIFY2(svg.contains(text), text);
        }

        const QByteArray pdf = ui::hydrographFigureFile(r, kCaption, ui::FigureFormat::Pdf);
        QVERIFY(pdf.startsWith("%PDF-"));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Hidrograma de cheia de projeto – Rio Sapucaí")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Atenção: O hidrograma unitário triangular")));
    }

    void windowFollowsRunsAndShowsTheNotes() {
        ScriptedDialogs dialogs;
        ui::HydrographWindow window(dialogs);
        window.showRecord(workedExample(3), kCaption);
        window.show();
        QCOMPARE(window.notesText(),
                 QStringLiteral("Atenção: %1\nAtenção: %2")
                     .arg(QString::fromUtf8(calc::kFloodNotRecededNote.data(),
                                            calc::kFloodNotRecededNote.size()),
                          QString::fromUtf8(calc::kUnitHydrographCutNote.data(),
                                            calc::kUnitHydrographCutNote.size())));

        const calc::CalculationRecord second = workedExample(5); // "4 h": no note
        window.showRecord(second, kCaption);
        QCOMPARE(window.notesText(), QString());
        auto* flood = findSeries<QLineSeries>(window.chart(), ui::chart_series::kFlood);
        QVERIFY(flood != nullptr);
        QCOMPARE(flood->at(15).y(), *second.totalFlow[15]);
        QCOMPARE(window.chart()->series().count(), 5);
        QVERIFY(dialogs.takeMessages().isEmpty());
    }

    void windowSavesTheFigure() {
        ScriptedDialogs dialogs;
        ui::HydrographWindow window(dialogs);
        window.showRecord(workedExample(3), kCaption);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("figura.svg"));
        const QString missing = folder.filePath(QStringLiteral("nada/figura.pdf"));
        dialogs.saveAnswers = {path, QString(), missing};
        auto* svg = window.findChild<QPushButton*>(QStringLiteral("cmdSalvarSVG"));
        auto* pdf = window.findChild<QPushButton*>(QStringLiteral("cmdSalvarPDF"));

        svg->click();
        QCOMPARE(dialogs.saveRequests.at(0).nameFilters,
                 QStringList{QStringLiteral("Desenho SVG (*.svg)")});
        QCOMPARE(dialogs.saveRequests.at(0).proposedName, QStringLiteral("Rio Sapucaí.svg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 ui::hydrographFigureFile(workedExample(3), kCaption, ui::FigureFormat::Svg));
        QList<ScriptedDialogs::Message> messages = dialogs.takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text,
                 QStringLiteral("Arquivo ") + path + QStringLiteral(" exportado com êxito"));
        QCOMPARE(messages.at(0).title, QStringLiteral("ZEB"));

        pdf->click(); // cancelled: nothing written, nothing said
        QVERIFY(dialogs.takeMessages().isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);

        pdf->click(); // into a missing folder: the reason, and no file
        messages = dialogs.takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).title, QStringLiteral("Aviso!"));
        QCOMPARE(messages.at(0).icon, ui::MessageIcon::Exclamation);
        QVERIFY2(messages.at(0).text.contains(missing), qPrintable(messages.at(0).text));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!dialogs.hasPendingBoxes());
    }
};

QTEST_MAIN(HydrographChartTest)
#include "tst_hydrograph_chart.moc"
