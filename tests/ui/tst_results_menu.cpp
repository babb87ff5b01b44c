// The "&Resultados" menu: enabled by a run, its access keys, the one chart window following
// runs, and the PDF and CSV exports through the dialog seam.

#include "report_commands.h"

#include "calc/limits.h"
#include "report/record_table.h"
#include "ui/hydrograph_chart.h"
#include "ui/hydrograph_window.h"

#include <QApplication>
#include <QChart>
#include <QFile>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Runs a program to its end and fails the test if it does not succeed.
QString output(const QString& program, const QStringList& arguments) {
    QString error;
    const QByteArray out = runProgram(program, arguments, &error);
    if (!error.isEmpty()) {
        qWarning("%s", qPrintable(error));
    }
    return QString::fromUtf8(out);
}

// A PDF page's text as pdftotext lays it out in fixed columns of the report font's advance,
// without the blanks at the line ends and the page's left margin (taken from line 2's rule).
QStringList layoutLines(const QString& pdf, int page) {
    QString text =
        output(u"pdftotext"_s, {u"-layout"_s, u"-fixed"_s, u"4.8"_s, u"-f"_s, QString::number(page),
                                u"-l"_s, QString::number(page), pdf, u"-"_s});
    text.remove(u'\f');
    QStringList lines = text.split(u'\n');
    const qsizetype margin = lines.size() > 1 ? lines[1].indexOf(u'=') : -1;
    for (QString& line : lines) {
        while (line.endsWith(u' ')) {
            line.chop(1);
        }
        if (margin > 0 && line.left(margin).trimmed().isEmpty()) {
            line.remove(0, margin);
        }
    }
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QString collapsed(QString text) {
    return text.replace(QRegularExpression(u"\\s+"_s), u" "_s).trimmed();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ResultsMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QTemporaryDir m_folder;

    QMenu* menu() const { return h->window().findChild<QMenu*>(u"mnuResultados"_s); }
    QList<ui::HydrographWindow*> chartWindows() const {
        QList<ui::HydrographWindow*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* chart = qobject_cast<ui::HydrographWindow*>(widget)) {
                windows.append(chart);
            }
        }
        return windows;
    }

    // The worked example as a user enters it, on the river "Rio Sapucaí".
    void calculate() {
        runWorkedExample(*h, u"Rio Sapucaí"_s);
        QVERIFY(h->dialogs().takeMessages().isEmpty());
    }

    // A new run of the same basin at another unit duration.
    void recalculate(const QString& duration) {
        h->pick(h->list("cboDuracao"), duration);
        h->button("cmdCalcular")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
    }

    // Presses Alt+R on the window; the menu that opened, if any.
    QWidget* pressAltR() {
        QTest::keyClick(&h->window(), Qt::Key_R, Qt::AltModifier);
        return QApplication::activePopupWidget();
    }

private Q_SLOTS:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->clock = reportMoment;
        QVERIFY(h->open());
    }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
        QVERIFY(chartWindows().isEmpty());
    }

    void menuFollowsHelpAndWaitsForARun() {
        QStringList titles;
        for (QAction* action : h->window().menuBar()->actions()) {
            titles.append(action->text());
        }
        QCOMPARE(titles, QStringList({u"&Ajuda"_s, u"&Resultados"_s}));
        QStringList items;
        for (QAction* action : menu()->actions()) {
            items.append(action->text());
        }
        QCOMPARE(items, QStringList({u"&Gráfico"_s, u"Exportar &PDF..."_s, u"Exportar &CSV..."_s}));

        QVERIFY(!menu()->menuAction()->isEnabled());
        QCOMPARE(pressAltR(), nullptr);

        calculate();
        QVERIFY(menu()->menuAction()->isEnabled());
        QCOMPARE(pressAltR(), menu());
        QTest::keyClick(menu(), Qt::Key_Escape);
        // "&Ajuda" keeps its key.
        QTest::keyClick(&h->window(), Qt::Key_A, Qt::AltModifier);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
        QCOMPARE(QApplication::activePopupWidget()->objectName(), u"mnuAjuda"_s);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }

    void chartWindowIsOneAndFollowsRuns() {
        calculate();
        for (int choice = 0; choice < 2; ++choice) {
            QCOMPARE(pressAltR(), menu());
            QTest::keyClick(menu(), Qt::Key_G);
        }
        const QList<ui::HydrographWindow*> windows = chartWindows();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.at(0)->isVisible());
        QVERIFY(!windows.at(0)->isModal());

        const auto lastFlow = [&windows] {
            for (QAbstractSeries* series : windows.at(0)->chart()->series()) {
                if (series->objectName() == QLatin1String(ui::chart_series::kFlood)) {
                    return qobject_cast<QLineSeries*>(series)->at(15).y();
                }
            }
            return -1.0;
        };
        QCOMPARE(lastFlow(), *h->window().record().totalFlow[15]);
        QVERIFY(!windows.at(0)->notesText().isEmpty());

        recalculate(u"4 h"_s);
        QCOMPARE(lastFlow(), *h->window().record().totalFlow[15]);
        QCOMPARE(windows.at(0)->notesText(), QString());
    }

    void csvEqualsTheCommandLines() {
#ifndef ZEB_CALC_PROGRAM
        QSKIP("zeb-calc is not part of this build");
#else
        calculate();
        const QString path = m_folder.filePath(u"serie.csv"_s);
        h->dialogs().saveAnswers = {path};
        menu()->actions().at(2)->trigger();
        QCOMPARE(h->dialogs().saveRequests.at(0).proposedName, u"Rio Sapucaí.csv"_s);
        const QList<ScriptedDialogs::Message> messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text, u"Arquivo "_s + path + u" exportado com êxito"_s);
        QCOMPARE(messages.at(0).title, u"ZEB"_s);

        const QString csv = output(QStringLiteral(ZEB_CALC_PROGRAM),
                                   {u"--duration"_s, u"1 h"_s, u"--cn"_s, u"75"_s, u"--area"_s,
                                    u"50"_s, u"--length"_s, u"10"_s, u"--drop"_s, u"100"_s,
                                    u"--return-period"_s, u"100"_s, u"--station-constants"_s,
                                    u"0.2,25,20,-0.04,0.08,0.08,0.08"_s, u"--format"_s, u"csv"_s});
        QVERIFY(!csv.isEmpty());
        QCOMPARE(readAll(path), csv.toUtf8());
#endif
    }

    void pdfHasTheReportAndThenTheChart() {
        calculate();
        const QString path = m_folder.filePath(u"relatorio.pdf"_s);
        h->dialogs().saveAnswers = {path};
        menu()->actions().at(1)->trigger();
        QCOMPARE(h->dialogs().takeMessages().size(), 1);
        QCOMPARE(h->dialogs().saveRequests.at(0).proposedName, u"Rio Sapucaí.pdf"_s);

        const QString info = output(u"pdfinfo"_s, {u"-f"_s, u"1"_s, u"-l"_s, u"2"_s, path});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)), qPrintable(info));
        // Both pages landscape.
        const QRegularExpression size(u"Page\\s+\\d size:\\s+([\\d.]+) x ([\\d.]+)"_s);
        int pages = 0;
        for (auto match = size.globalMatch(info); match.hasNext(); ++pages) {
            const QRegularExpressionMatch page = match.next();
            QVERIFY(page.captured(1).toDouble() > page.captured(2).toDouble());
        }
        QCOMPARE(pages, 2);

        // Page 1: the 47 lines column for column as zeb-calc writes them for the same run.
        QString error;
        const QByteArray expected =
            commandLineReport(u"Rio Sapucaí"_s, h->list("cboPosto")->currentText(), u"C"_s, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QStringList text = reportTextLines(expected);
        for (QString& line : text) {
            while (line.endsWith(u' ')) {
                line.chop(1);
            }
        }
        QCOMPARE(layoutLines(path, 1), text);

        // Page 2: the chart with its notes.
        const QString second =
            collapsed(output(u"pdftotext"_s, {u"-f"_s, u"2"_s, u"-l"_s, u"2"_s, path, u"-"_s}));
        for (const QString& part :
             {u"Hidrograma de cheia de projeto – Rio Sapucaí"_s, u"Tempo (h)"_s, u"Vazão (m³/s)"_s,
              u"Pico: "_s, u"Atenção: A cheia não terminou no passo 15"_s}) {
            QVERIFY2(second.contains(part), qPrintable(part + u"\n"_s + second));
        }
    }

    void cancelWritesNothingAndAFailureSaysWhy() {
        calculate();
        const QString missing = m_folder.filePath(u"nada/relatorio.pdf"_s);
        h->dialogs().saveAnswers = {QString(), QString(), missing};
        menu()->actions().at(1)->trigger(); // cancelled
        menu()->actions().at(2)->trigger(); // cancelled
        QVERIFY(h->dialogs().takeMessages().isEmpty());

        menu()->actions().at(1)->trigger();
        const QList<ScriptedDialogs::Message> messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).title, u"Aviso!"_s);
        QVERIFY2(messages.at(0).text.contains(missing), qPrintable(messages.at(0).text));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_MAIN(ResultsMenuTest)
#include "tst_results_menu.moc"
