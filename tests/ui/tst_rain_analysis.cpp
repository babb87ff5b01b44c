// The rain analysis window as a user reaches it from the main window: it shows the fit of the
// shipped series, keeps what it showed when a file is refused, hands the equation to "Equação
// IDF" and exports the whole analysis.

#include "window_test.h"

#include "numbers/number_format.h"
#include "rainfit/rain_analysis.h"
#include "ui/rainfit/rain_analysis_window.h"
#include "ui/stations/station_form.h"

#include "../test_files.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class RainAnalysisWindowTest : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void showsRefusesHandsOverAndExports() {
        QVERIFY(h->open("pt_BR"));
        h->window().findChild<QAction*>(u"mnuChuvasIntensas"_s)->trigger();
        auto* window = h->window().findChild<ui::RainAnalysisWindow*>();
        QVERIFY(window != nullptr && window->isVisible());
        const auto button = [window](const char16_t* name) {
            return window->findChild<QPushButton*>(QString::fromUtf16(name));
        };
        auto* equation = window->findChild<QLabel*>(u"lblEquacao"_s);
        const report::NumberStyle brazilian{",", "."};
        const QTemporaryDir folder;
        const QString bad = folder.filePath(u"ruim.csv"_s);
        QVERIFY(zebtest::writeFile(bad.toStdString(), "data,mm\n2001-01-01,3\n2001-02-30,1\n"));
        const auto refuse = [&](const QString& path, const QString& said) {
            h->dialogs.openAnswers = {path};
            button(u"cmdAbrirSerie")->click();
            const QList<ShownMessage> shown = h->dialogs.take();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.contains(said), qPrintable(shown[0].text));
        };
        const QString missing = folder.filePath(u"nada.csv"_s);
        refuse(bad, u"A série \"ruim.csv\", linha 3: a data \"2001-02-30\" não existe."_s);
        QVERIFY(!window->analysis() && !button(u"cmdUsarEquacao")->isEnabled());

        // The shipped series: the equation rainfit fits, shown with the 72 points.
        h->dialogs.openAnswers = {QStringLiteral(ZEB_TEST_DATA_DIR "/hidroweb_01943022.csv")};
        button(u"cmdAbrirSerie")->click();
        const auto fitted =
            rainfit::analyseDailyRainfall(zebtest::dataFile("hidroweb_01943022.csv"), {})
                ->fit.equation;
        QVERIFY(window->analysis() && window->analysis()->fit.equation == fitted);
        const QString shown = equation->text();
        QVERIFY2(shown.contains(
                     QString::fromStdString("K = " + report::formatFixed(fitted.k, 4, brazilian))),
                 qPrintable(shown));
        QCOMPARE(window->findChild<QTableWidget*>(u"grdPontos"_s)->rowCount(), 72);

        // Refused files leave it as it was.
        refuse(bad, u"linha 3"_s);
        refuse(missing, u"A série \"nada.csv\" não existe."_s);
        QVERIFY(window->analysis()->fit.equation == fitted);
        QCOMPARE(equation->text(), shown);

        // "Usar na janela principal" fills "Equação IDF" with it.
        button(u"cmdUsarEquacao")->click();
        QVERIFY(h->child<QRadioButton>("Option3")->isChecked());
        QCOMPARE(h->text("txtIdft0"),
                 QString::fromStdString(report::formatPlain(fitted.t0Min, brazilian)));

        // "Salvar como posto" proposes a new station holding it, with its source.
        button(u"cmdSalvarPosto")->click();
        auto* form = h->window().findChild<ui::StationForm*>();
        QVERIFY(form != nullptr && form->isVisible());
        QCOMPARE(form->findChild<QLineEdit*>(u"txtIdfT0"_s)->text(),
                 QString::fromStdString(report::formatExact(fitted.t0Min, brazilian)));
        QCOMPARE(form->findChild<QLineEdit*>(u"txtFonte"_s)->text(),
                 u"ajustada à série diária do posto 01943022, 2000 a 2020 (21 anos)"_s);
        form->reject();
        h->dialogs.take(); // the Postos window cannot list the fake database's stations

        // The CSV in the spreadsheet form of the user's decimal comma, and the PDF.
        h->dialogs.saveAnswers = {folder.filePath(u"a.csv"_s), folder.filePath(u"a.pdf"_s)};
        button(u"cmdExportarCSV")->click();
        button(u"cmdExportarPDF")->click();
        QCOMPARE(h->dialogs.take().size(), 2);
        QVERIFY(fileBytes(folder.filePath(u"a.csv"_s)).contains("\nK;m;t0;n;r2;sse\n1122,82"));
        QVERIFY(fileBytes(folder.filePath(u"a.pdf"_s)).startsWith("%PDF"));

        // Options typed apply to the series open: no missing day allowed leaves 16 of 21 years.
        window->findChild<QLineEdit*>(u"txtFaltaMaxima"_s)->setText(u"0"_s);
        button(u"cmdAnalisar")->click();
        QCOMPARE(window->analysis()->maxima.counted.size(), 16u);
    }
};

QTEST_MAIN(RainAnalysisWindowTest)
#include "tst_rain_analysis.moc"
