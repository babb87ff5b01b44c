// The main window's commands end to end: "&Calcular" and its refusals, the export's file and
// the printed page (both the golden report), the "&Resultados" menu, the access keys, Esc.

#include "window_test.h"

#include "ui/chart/hydrograph_window.h"
#include "ui/common/report_printing.h"
#include "ui/main/results_view.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The PDFs are read with poppler's tools, which a Windows build run under Wine cannot start:
// there the files are only checked to exist.
bool canReadPdfs() {
    return !QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty();
}

// What a poppler tool writes of a PDF, blanks collapsed.
QString poppler(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}
QString pageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return poppler("pdftotext", {u"-layout"_s, u"-f"_s, n, u"-l"_s, n, pdf, u"-"_s});
}
const QString kReportText = expectedWorkedExampleReport().join(u' ').simplified();

// The contrast ratio of two colours as the accessibility guidelines define it.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class WindowCommandsTest : public WindowTest {
    Q_OBJECT

    QTemporaryDir m_folder;

    QStringList flows() {
        QStringList texts;
        for (int row = 1; row <= 15; ++row) {
            texts.append(h->cell(row, 1).trimmed());
        }
        return texts;
    }
    void calculate() { QTest::mouseClick(h->button("cmdCalcular"), Qt::LeftButton); }

private Q_SLOTS:
    // Every field a mode needs is checked, the focus goes to the empty one, and the refused
    // run changes nothing.
    void emptyFieldRefusesTheRun_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("emptied");
        for (const char* name : {"cboCodigo", "txtCN", "txtArea", "txtComprimento", "txtDesnivel",
                                 "cboDuracao", "txtRecorrencia"}) {
            QTest::addRow("Automática without %s", name)
                << u"Option1"_s << QString::fromLatin1(name);
        }
        for (const char* name : {"txtCN", "txtArea", "txtComprimento", "txtDesnivel", "cboDuracao",
                                 "txtK", "txta", "txtb", "txtc"}) {
            QTest::addRow("Própria without %s", name) << u"Option2"_s << QString::fromLatin1(name);
        }
        for (const char* name : {"txtRecorrencia", "txtIdfK", "txtIdfm", "txtIdft0", "txtIdfn"}) {
            QTest::addRow("Equação IDF without %s", name)
                << u"Option3"_s << QString::fromLatin1(name);
        }
    }
    void emptyFieldRefusesTheRun() {
        QFETCH(QString, option);
        QFETCH(QString, emptied);
        QVERIFY(h->open());
        h->runWorkedExample();
        const QStringList before = flows();
        h->child<QRadioButton>(qPrintable(option))->click();
        for (const char* constant : {"txtK", "txta", "txtb", "txtc", "txtArea", "txtIdfK",
                                     "txtIdfm", "txtIdft0", "txtIdfn"}) {
            h->field(constant)->setText(u"80"_s);
        }
        if (emptied.startsWith(u"cbo"_s)) {
            h->list(qPrintable(emptied))->setCurrentIndex(-1);
        } else {
            h->field(qPrintable(emptied))->clear();
        }
        calculate();
        const QList<ShownMessage> messages = h->dialogs.take();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, u"Todos os campos devem estar preenchidos"_s);
        QCOMPARE(messages[0].title, u"Aviso!"_s);
        QCOMPARE(h->focusName(), emptied);
        QCOMPARE(flows(), before);
    }

    // A number that reads two ways is not read: the message names the field and how to write
    // it, the field keeps its text and the focus, and nothing is computed.
    void ambiguousNumberIsNotRead() {
        for (const auto& [idf, field, name] :
             {std::tuple{false, "txtArea", u"Área de drenagem (km²)"_s},
              {true, "txtIdft0", u"t₀ (min) da equação IDF"_s}}) {
            h = std::make_unique<WindowHarness>();
            QVERIFY(h->open("pt_BR"));
            h->enterWorkedExample();
            if (idf) {
                h->enterIdfEquation();
            }
            h->field(field)->setText(u"1.416"_s);
            calculate();
            QCOMPARE(h->dialogs.take().value(0).text,
                     u"O número \"1.416\" em "_s + name +
                         u" pode ser lido como 1416 ou como 1,416. Escreva-o sem separador de "
                         "milhares: 1416 ou 1,416."_s);
            QCOMPARE(h->text(field), u"1.416"_s);
            QCOMPARE(h->focusName(), QString::fromLatin1(field));
            QVERIFY(h->cell(15, 1).isEmpty());
        }
    }

    // The worked example typed in: the grid shows the golden flows and the exported file is
    // the golden report, with the river and station as the window shows them. A cancelled
    // export writes and says nothing; one that cannot write says so and leaves nothing.
    void runAndExportGiveTheGoldenReport() {
        QVERIFY(h->openAtTheGoldenMoment());
        h->runWorkedExample();
        QCOMPARE(flows(), goldenSeries(u"Vazão Total"_s));
        const QString path = m_folder.filePath(u"relatório.txt"_s);
        const QString missing = m_folder.filePath(u"não existe/relatório.txt"_s);
        h->dialogs.saveAnswers = {path, QString(), missing};
        for (int i = 0; i < 3; ++i) {
            h->button("cmdExportar")->click();
        }
        const ui::SaveFileRequest request = h->dialogs.saveRequests.value(0);
        QCOMPARE(request.title, u"Exportar Arquivo"_s);
        QCOMPARE(request.proposedName, u"Rio Sapucaí"_s);
        QCOMPARE(request.selectedFilter, 1);
        QCOMPARE(request.defaultSuffix, u"txt"_s);
        const QList<ShownMessage> messages = h->dialogs.take();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, u"Arquivo "_s + path + u" exportado com êxito"_s);
        QCOMPARE(messages[0].title, u"ZEB"_s);
        QCOMPARE(reportFileLines(fileBytes(path)), expectedWorkedExampleReport());
        QCOMPARE(messages[1].title, u"Aviso!"_s);
        QVERIFY2(messages[1].text.startsWith(u"Não foi possível gravar o arquivo "_s + missing),
                 qPrintable(messages[1].text));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"relatório.txt"_s});
    }

    // Without a printer, or when the printer does not take the job, the user is told; the job
    // is one landscape page with the report's text in the regular and bold faces.
    void printIsThePageOrAWarning() {
        QString target;
        h->printer = [&target]() -> std::unique_ptr<QPrinter> {
            return target.isEmpty() ? nullptr : ui::pdfFilePrinter(target);
        };
        QVERIFY(h->openAtTheGoldenMoment());
        h->runWorkedExample();
        h->button("cmdImprimir")->click();
        target = m_folder.filePath(u"não existe/trabalho.pdf"_s);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        h->button("cmdImprimir")->click();
        const QList<ShownMessage> messages = h->dialogs.take();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, u"Não há impressora instalada: o relatório não foi impresso."_s);
        QVERIFY(messages[1].text.startsWith(u"O relatório não foi impresso na impressora: "_s));

        target = m_folder.filePath(u"trabalho.pdf"_s);
        QTest::keyClick(&h->window(), Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(QFile::exists(target));
        if (canReadPdfs()) {
            QCOMPARE(pageText(target, 1), kReportText);
            const QString info = poppler("pdfinfo", {target});
            QVERIFY2(info.contains(u"Pages: 1 "_s), qPrintable(info));
            const QStringList size = info.section(u"Page size: "_s, 1).split(u' '); // "W x H"
            QVERIFY2(size.value(0).toDouble() > size.value(2).toDouble(), "landscape");
            const QString fonts = poppler("pdffonts", {target});
            QCOMPARE(fonts.count(u"Mono"_s) + fonts.count(u"Courier"_s), 2);
            QCOMPARE(fonts.count(u"Bold"_s), 1);
        }

        // The whole figures of "5 min" widen the lines past the page: drawn smaller, not cut.
        h->pick("cboDuracao", u"5 min"_s);
        target = m_folder.filePath(u"cinco.pdf"_s);
        h->button("cmdImprimir")->click();
        QTRY_VERIFY(QFile::exists(target));
        QVERIFY(!canReadPdfs() ||
                pageText(target, 1).contains(u" 1.166666666662 1.249999999995 "_s));
    }

    // A run the calculation refuses shows its reason and enables nothing: the commands answer
    // neither a click nor their access keys until a run succeeds.
    void commandsWaitForARun() {
        QVERIFY(h->open());
        h->enterWorkedExample();
        h->type("txtCN", u"0"_s);
        calculate();
        QVERIFY(h->dialogs.take().value(0).text.startsWith(u"Não é possível calcular"_s));
        QVERIFY(h->cell(15, 1).isEmpty());
        QTest::keyClick(&h->window(), Qt::Key_E, Qt::AltModifier);
        QTest::keyClick(&h->window(), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QVERIFY(!h->button("cmdImprimir")->isEnabled());

        h->type("txtCN", u"75"_s);
        calculate();
        h->dialogs.saveAnswers = {QString()};
        QTest::keyClick(&h->window(), Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(h->dialogs.saveRequests.size(), 1);
        QVERIFY(h->window().findChild<QMenu*>(u"mnuResultados"_s)->menuAction()->isEnabled());
        QVERIFY(h->button("cmdImprimir")->isEnabled());
    }

    // Esc closes the window as "&Sair" does: at once with nothing to lose, otherwise after
    // asking once, and not when the user cancels.
    void escapeAsksBeforeLosingWork_data() {
        QTest::addColumn<bool>("typed");
        QTest::newRow("nothing typed") << false;
        QTest::newRow("a river typed") << true;
    }
    void escapeAsksBeforeLosingWork() {
        QFETCH(bool, typed);
        QVERIFY(h->open());
        if (typed) {
            h->type("txtRio", u"Rio Doce"_s);
            h->dialogs.unsavedAnswers = {ui::UnsavedChoice::Cancel, ui::UnsavedChoice::Discard};
            QTest::keyClick(h->field("txtRio"), Qt::Key_Escape);
            QVERIFY(h->window().isVisible());
        }
        QTest::keyClick(h->field("txtRio"), Qt::Key_Escape);
        QTRY_VERIFY(!h->window().isVisible());
        QCOMPARE(h->dialogs.questions.size(), typed ? 2 : 0);
    }

    // The run's notes stand under the grid, readable; an input changed after the run greys the
    // results and says so, an export then calculates first, or refuses when it cannot, and
    // the report is the new run's. The grid's copy takes the whole table.
    void resultsBelongToTheInputsShown() {
        QVERIFY(h->openAtTheGoldenMoment());
        h->runWorkedExample();
        auto* notes = h->child<QLabel>("lblAvisos");
        QCOMPARE(notes->text().split(u'\n').size(), 2);
        QVERIFY(notes->isVisible());
        QVERIFY(contrast(notes->palette().color(QPalette::WindowText),
                         h->window().palette().color(QPalette::Window)) >= 4.5);

        h->type("txtComprimento", u"20"_s);
        QCOMPARE(notes->text(), ui::kOutOfDateLine);
        const QString path = m_folder.filePath(u"atual.txt"_s);
        h->dialogs.saveAnswers = {path};
        h->button("cmdExportar")->click();
        QCOMPARE(h->dialogs.take().size(), 1);
        QVERIFY(notes->text() != ui::kOutOfDateLine);
        const QStringList lines = reportFileLines(fileBytes(path));
        QCOMPARE(lines.value(7), u"   Comprimento do talvegue: 20.00 km     "_s);
        QCOMPARE(lines.value(9).mid(28, 5).trimmed(), h->text("txtconcentracao"));
        QVERIFY(lines.value(13) != expectedWorkedExampleReport().value(13)); // the rise time

        h->field("txtCN")->clear();
        QVERIFY(notes->text() == ui::kOutOfDateLine);
        h->button("cmdExportar")->click();
        QCOMPARE(h->dialogs.take().value(0).text, u"Todos os campos devem estar preenchidos"_s);
        h->window().findChild<QMenu*>(u"mnuResultados"_s)->actions().at(1)->trigger(); // PDF
        QCOMPARE(h->dialogs.take().value(0).text, u"Todos os campos devem estar preenchidos"_s);
        QCOMPARE(h->dialogs.saveRequests.size(), 1);

        h->child<QWidget>("grdVazoes")->setFocus();
        QTest::keySequence(h->child<QWidget>("grdVazoes"), QKeySequence::Copy);
        const QStringList copied = QApplication::clipboard()->text().split(u'\n');
        QCOMPARE(copied.size(), 17); // sixteen rows and the final line end
        QCOMPARE(copied.value(0), u"Tempo (h)\tVazão (m³/s)"_s);
        QCOMPARE(h->window().menuBar()->actions().last()->text(), u"&Ajuda"_s);
    }

    // "&Gráfico" twice gives one chart window with the run's notes, which follows the next
    // run and saves its figure; "Exportar &PDF..." writes the report and then the chart,
    // "Exportar &CSV..." the series table.
    void resultsMenu() {
        QVERIFY(h->openAtTheGoldenMoment());
        h->runWorkedExample();
        QMenu* menu = h->window().findChild<QMenu*>(u"mnuResultados"_s);
        menu->actions().at(0)->trigger();
        menu->actions().at(0)->trigger();
        const auto windows = h->window().findChildren<ui::HydrographWindow*>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->notesText().count(u"Atenção: "_s), 2);

        const QString pdf = m_folder.filePath(u"relatorio.pdf"_s);
        const QString csv = m_folder.filePath(u"serie.csv"_s);
        const QString svg = m_folder.filePath(u"figura.svg"_s);
        h->dialogs.saveAnswers = {pdf, csv, svg};
        menu->actions().at(1)->trigger();
        menu->actions().at(2)->trigger();
        windows[0]->findChild<QPushButton*>(u"cmdSalvarSVG"_s)->click();
        QCOMPARE(h->dialogs.take().size(), 3);
        QCOMPARE(h->dialogs.saveRequests.value(0).proposedName, u"Rio Sapucaí.pdf"_s);
        QVERIFY(QFile::exists(pdf));
        if (canReadPdfs()) {
            QVERIFY(poppler("pdfinfo", {pdf}).contains(u"Pages: 2 "_s));
            QCOMPARE(pageText(pdf, 1), kReportText);
            QVERIFY(pageText(pdf, 2).contains(u"Hidrograma de cheia de projeto – Rio Sapucaí"_s));
        }
        const QList<QByteArray> rows = fileBytes(csv).split('\n');
        QCOMPARE(rows.size(), 17); // a heading, 15 steps, the final line end
        QVERIFY(fileBytes(svg).contains("<svg"));

        h->pick("cboDuracao", u"4 h"_s); // no note at "4 h"
        calculate();
        QCOMPARE(windows[0]->notesText(), QString());
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "tst_window_commands.moc"
