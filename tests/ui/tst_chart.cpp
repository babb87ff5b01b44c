// The hydrograph chart of the worked example read back from its series against the golden
// report's figures.

#include "window_test.h"

#include "chart/hydrograph_chart.h"
#include "tests/worked_example.h"

#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

calc::CalculationRecord workedExample() {
    calc::CalculationRecord record = zebtest::workedExampleRecord();
    record.concentrationTimeH = 6;
    return record;
}

const chart::HydrographCaption kCaption{QString::fromUtf8(zebtest::kGoldenRiver), {".", ","}};

template <typename Series> Series* seriesOf(QChart* chart, const char* name) {
    for (QAbstractSeries* series : chart->series()) {
        if (series->objectName() == QLatin1String(name)) {
            return qobject_cast<Series*>(series);
        }
    }
    return nullptr;
}

// The series' values from point 1 on, as the report writes them.
QStringList valuesOf(const QXYSeries* series, int count) {
    QStringList texts;
    for (int i = 1; i <= count && i < series->count(); ++i) {
        texts.append(QString::number(series->at(i).y(), 'f', 2));
    }
    return texts;
}

} // namespace

class ChartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seriesCarryTheReportsFigures() {
        const std::unique_ptr<QChart> c = chart::buildHydrographChart(workedExample(), kCaption);
        auto* flood = seriesOf<QLineSeries>(c.get(), chart::chart_series::kFlood);
        QVERIFY(flood != nullptr);
        QCOMPARE(flood->at(0), QPointF(0, 0));
        QCOMPARE(valuesOf(flood, 15), goldenSeries(u"Vazão Total"_s));

        // Each block is the design storm's step, split into the excess and the losses.
        auto* bars = seriesOf<QStackedBarSeries>(c.get(), chart::chart_series::kRainfall);
        const QBarSet* losses = bars->barSets().at(0);
        const QBarSet* excess = bars->barSets().at(1);
        const QStringList cumulative = goldenSeries(u"Precipitação acumulada"_s);
        QStringList excesses;
        for (int i = 0; i < 15; ++i) {
            excesses.append(QString::number(excess->at(i), 'f', 2));
            const double block =
                cumulative.value(i).toDouble() - (i == 0 ? 0 : cumulative.value(i - 1).toDouble());
            QVERIFY(qAbs(excess->at(i) + losses->at(i) - block) < 0.011);
        }
        QCOMPARE(excesses, goldenSeries(u"Precipitação efetiva desacumulada"_s));
    }
};

QTEST_MAIN(ChartTest)
#include "tst_chart.moc"
