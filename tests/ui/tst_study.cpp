// The study window as a user reaches it from the main window: it opens on the last run's
// inputs, follows the next run, and its table, clipboard and CSV carry the study.

#include "window_test.h"

#include "calc/durations.h"
#include "calc/study.h"
#include "chart/study_chart.h"
#include "report/study_table.h"
#include "tests/worked_example.h"
#include "ui/study_window.h"

#include <QAction>
#include <QChart>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The study zeb-calc --study writes for the window's basin: the worked example's station, CN
// and lengths, with this area.
std::string expectedCsv(const ui::frmZEB& window, double areaKm2) {
    calc::RunRequest request;
    request.station = zebtest::workedExampleInputs().station;
    request.curveNumber = 75;
    request.drainageAreaKm2 = areaKm2;
    request.channelLengthKm = window.record().channelLengthKm;
    request.elevationDropM = window.record().elevationDropM;
    request.concentrationTimeH = window.record().concentrationTimeH;
    const std::vector<int> durations{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    return report::studyCsv(
        calc::computeStudy(request, durations, calc::kDefaultStudyReturnPeriods));
}

// The points of a study chart's curve.
int peakCount(QChart* chart) {
    for (QAbstractSeries* series : chart->series()) {
        if (series->objectName() == QLatin1String(chart::study_series::kPeaks)) {
            return static_cast<QLineSeries*>(series)->count();
        }
    }
    return -1;
}

} // namespace

class StudyWindowTest : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void followsTheRunsAndCarriesTheStudy() {
        QVERIFY(h->open("pt_BR"));
        h->runWorkedExample();
        h->window().findChild<QAction*>(u"mnuEstudo"_s)->trigger();
        auto* study = h->window().findChild<ui::StudyWindow*>();
        QVERIFY(study != nullptr && study->isVisible());
        auto* table = study->findChild<QTableWidget*>(u"grdEstudo"_s);
        QCOMPARE(table->rowCount(), 13);
        QCOMPARE(table->columnCount(), 9);
        // The worked example's peak at "1 h" and TR 100, with both of its notes marked.
        QCOMPARE(table->item(3, 5)->text(), u"115,33*†"_s);
        QCOMPARE(peakCount(study->durationChart()), 13);

        // The largest peak of a column without a note is the one bold cell: at TR 100 here.
        int bestRow = -1;
        double best = 0;
        const QStringList csvRows =
            QString::fromStdString(expectedCsv(h->window(), 50)).split(u'\n');
        for (const QString& row : csvRows) {
            const QStringList f = row.split(u',');
            if (f.size() == 7 && f[1] == u"100"_s && f[5] == u"0"_s && f[6] == u"0"_s &&
                f[2].toDouble() > best) {
                best = f[2].toDouble();
                bestRow = static_cast<int>(calc::durationIndexOfLabel(f[0].toStdString()).value());
            }
        }
        QVERIFY(bestRow >= 0);
        for (int row = 0; row < 13; ++row) {
            QCOMPARE(table->item(row, 5)->font().bold(), row == bestRow);
        }

        // Pasted into a spreadsheet: a heading row and one row per duration, tab-separated,
        // peaks as numbers of the user's format without marks.
        study->findChild<QPushButton*>(u"cmdCopiar"_s)->click();
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.size(), 15); // 14 lines and the final line end
        for (const QString& line : lines.mid(0, 14)) {
            QCOMPARE(line.count(u'\t'), 9);
        }
        QCOMPARE(lines[0].split(u'\t').value(6), u"TR 100"_s);
        QCOMPARE(lines[4].split(u'\t').value(0), u"1 h"_s);
        QCOMPARE(lines[4].split(u'\t').value(6), u"115,33"_s);

        // The next run with another area: the window follows, and its CSV is zeb-calc's.
        h->type("txtArea", u"80"_s);
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        const QTemporaryDir folder;
        h->dialogs.saveAnswers = {folder.filePath(u"estudo.csv"_s)};
        study->findChild<QPushButton*>(u"cmdExportarCSV"_s)->click();
        QCOMPARE(h->dialogs.take().value(0).title, u"ZEB"_s);
        QFile file(folder.filePath(u"estudo.csv"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), expectedCsv(h->window(), 80));
        const QString csv80 = QString::fromStdString(expectedCsv(h->window(), 80));
        const double peak80 = csv80.section(u"\n1 h,100,"_s, 1).section(u',', 0, 0).toDouble();
        QVERIFY(table->item(3, 5)->text().startsWith(
            QString::number(peak80, 'f', 2).replace(u'.', u',')));

        // An edited list of return periods gives the columns and the charts' points; one that
        // does not read leaves them.
        auto* list = study->findChild<QLineEdit*>(u"txtRecorrencias"_s);
        for (const QString& text : {u"10; 1000"_s, u"10; -5"_s}) {
            list->setText(text);
            Q_EMIT list->editingFinished();
            QCOMPARE(table->columnCount(), 2);
            QCOMPARE(table->horizontalHeaderItem(1)->text(), u"TR 1000"_s);
        }
        QCOMPARE(peakCount(study->returnPeriodChart()), 2);
    }
};

QTEST_MAIN(StudyWindowTest)
#include "tst_study.moc"
