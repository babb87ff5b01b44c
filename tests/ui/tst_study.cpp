// The study window as a user reaches it from the main window: it opens on the last run's
// inputs, follows the next run, and its table, clipboard and CSV carry the study.

#include "window_test.h"

#include "ui/study/study_window.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        // The worked example's peak at "1 h" and TR 100, with both of its notes marked.
        QCOMPARE(table->item(3, 5)->text(), u"115,33*†"_s);
        // The largest peak without a note at TR 100: 119.08 m³/s at "8 h" (2 h gives 123.63 m³/s
        // with the flood not receded).
        for (int row = 0; row < 13; ++row) {
            QCOMPARE(table->item(row, 5)->font().bold(), row == 6);
        }

        // Pasted into a spreadsheet: a heading row and one row per duration, tab-separated,
        // peaks as numbers of the user's format without marks.
        study->findChild<QPushButton*>(u"cmdCopiar"_s)->click();
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.size(), 15); // 14 lines and the final line end
        QCOMPARE(lines[0].split(u'\t').value(6), u"TR 100"_s);
        const QStringList oneHour = lines[4].split(u'\t');
        QCOMPARE(oneHour.value(0) + u' ' + oneHour.value(6), u"1 h 115,33"_s);

        // The next run with another area: out of date until it runs, the window follows, and so
        // does its CSV, in the spreadsheet form of the user's decimal comma.
        h->type("txtArea", u"80"_s);
        auto* outOfDate = study->findChild<QLabel*>(u"lblDesatualizado"_s);
        QVERIFY(outOfDate->isVisible());
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        QCOMPARE(table->item(3, 5)->text(), u"177,38*†"_s);
        const QTemporaryDir folder;
        h->dialogs.saveAnswers = {folder.filePath(u"estudo.csv"_s)};
        study->findChild<QPushButton*>(u"cmdExportarCSV"_s)->click();
        QCOMPARE(h->dialogs.take().value(0).title, u"ZEB"_s);
        QFile file(folder.filePath(u"estudo.csv"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!outOfDate->isVisible());
        QVERIFY(file.readAll().contains("\n1 h;100;177,37656662030804;8;66,03506693233993;1;1\n"));

        // An edited list of return periods gives the columns; one that does not read leaves them.
        auto* list = study->findChild<QLineEdit*>(u"txtRecorrencias"_s);
        for (const QString& text : {u"10; 1000"_s, u"10; -5"_s}) {
            list->setText(text);
            Q_EMIT list->editingFinished();
            QCOMPARE(table->columnCount(), 2);
            QCOMPARE(table->horizontalHeaderItem(1)->text(), u"TR 1000"_s);
        }

        // With typed K, which holds its own return period, only the durations are studied.
        h->child<QRadioButton>("Option2")->click();
        for (const char* constant : {"txtK", "txta", "txtb", "txtc"}) {
            h->type(constant, u"1"_s);
        }
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        QCOMPARE(table->columnCount(), 1);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), u"Equação própria"_s);
        QVERIFY(study->findChild<QLabel*>(u"lblEquacaoPropria"_s)->isVisible());

        // An IDF equation takes the return period: the list's columns again.
        h->enterIdfEquation();
        QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton);
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), u"TR 1000"_s);
        QVERIFY(!study->findChild<QLabel*>(u"lblEquacaoPropria"_s)->isVisible());
        // A constant of the equation, and the mode, are inputs like the others.
        h->type("txtIdfn", u"0,76"_s);
        QVERIFY(outOfDate->isVisible());
        h->type("txtIdfn", u"0,7580"_s);
        h->child<QRadioButton>("Option1")->click();
        QVERIFY(outOfDate->isVisible());
    }
};

QTEST_MAIN(StudyWindowTest)
#include "tst_study.moc"
