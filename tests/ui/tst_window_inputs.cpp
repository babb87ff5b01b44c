// The main window's input side: the load, the station and soil lists, the time of
// concentration as length and drop are typed, the formatting on leaving a field, the mode.

#include "window_test.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class WindowInputsTest : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void loadFillsTheListsAndSelectsNothing() {
        QVERIFY(h->open());
        QCOMPARE(h->list("cboCodigo")->itemText(3), u"104"_s);
        QCOMPARE(h->list("cboPosto")->itemText(1), u"Pau d'Alho"_s);
        QCOMPARE(h->list("cboZona")->itemText(1), u"Urbana"_s);
        QCOMPARE(h->list("cboTerreno")->count(), 5);
        QCOMPARE(h->list("cboDuracao")->count(), 13);
        for (QComboBox* list : h->window().findChildren<QComboBox*>()) {
            QCOMPARE(list->currentIndex(), -1);
        }
        QCOMPARE(h->database().stationLookups, 0);
        QVERIFY(h->child<QRadioButton>("Option1")->isChecked());
        for (const char* name : {"txtEstado", "txtconcentracao", "txtK", "txtc", "cmdExportar"}) {
            QVERIFY2(!h->child(name)->isEnabled(), name);
        }
        QCOMPARE(h->cell(0, 0), u"        Tempo (h)"_s);
        QCOMPARE(h->cell(0, 1), u"      Vazão (m³/s)"_s);
    }

    // A database that cannot be opened, or whose stations or land classes cannot be read,
    // stops the load with its one message.
    void databaseFailureStopsTheLoad() {
        for (const auto& [opening, unreadable, expected] :
             {std::tuple{true, "", u"Banco danificado"_s},
              {false, "zeb", u"Valor nulo na tabela zeb."_s},
              {false, "", u"Valor nulo na tabela cn em /dados/zeb-teste.sqlite."_s}}) {
            h = std::make_unique<WindowHarness>();
            h->openingFailure =
                opening ? std::optional<std::string>(expected.toStdString()) : std::nullopt;
            QVERIFY(!h->open("en_US", [&](FakeDatabase& db) { db.unreadable = {unreadable}; }));
            QCOMPARE(h->dialogs.take().value(0).text, expected);
        }
    }

    // One pick, one lookup; the second row of a name is found as its first row, and both
    // lists move there (one more lookup of the same name).
    void listsFollowEachOther() {
        for (const auto& [list, picked, row, lookups] :
             {std::tuple{"cboPosto", u"Pau d'Alho"_s, 1, 1},
              {"cboCodigo", u"102"_s, 1, 1},
              {"cboCodigo", u"103"_s, 0, 2}}) {
            h = std::make_unique<WindowHarness>();
            QVERIFY(h->open());
            h->pick(list, picked);
            QCOMPARE(h->list("cboCodigo")->currentIndex(), row);
            QCOMPARE(h->list("cboPosto")->currentIndex(), row);
            QCOMPARE(h->database().stationLookups, lookups);
            const QString state = row == 0 ? u"MG"_s : u"PE"_s;
            QCOMPARE(h->text("txtEstado"), state);
        }
    }

    // A lookup that fails is reported, and what the previous row showed is cleared: a run
    // cannot take it for the new choice.
    void failedLookupClearsWhatDependsOnIt() {
        QVERIFY(h->open("en_US", [](FakeDatabase& db) {
            db.unreadable = {"Pau d'Alho", "Floresta"};
        }));
        h->pick("cboCodigo", u"101"_s);
        h->pick("cboTerreno", u"Pastagem"_s);
        QCOMPARE(h->text("txtEstado"), u"MG"_s);
        QCOMPARE(h->text("txtCN"), u"69"_s);
        h->pick("cboPosto", u"Pau d'Alho"_s);
        h->pick("cboTerreno", u"Floresta"_s);
        QCOMPARE(h->dialogs.take().size(), 2);
        QVERIFY(!h->window().currentStation());
        QCOMPARE(h->text("txtEstado"), QString());
        QCOMPARE(h->text("txtCN"), QString());
        h->pick("cboCodigo", u"101"_s);
        QCOMPARE(h->text("txtEstado"), u"MG"_s);
        // A station with no name is not looked up, and the one before is not used for it.
        const int lookups = h->database().stationLookups;
        h->pick("cboCodigo", u"104"_s);
        QCOMPARE(h->database().stationLookups, lookups);
        QVERIFY(!h->window().currentStation());
        QCOMPARE(h->text("txtEstado"), QString());
    }

    // The zone reloads the land classes and leaves the curve number; a land class writes the
    // first row's curve number with the regional decimal separator.
    void landClassWritesItsCurveNumber() {
        for (const auto& [locale, zone, classes, landClass, cn] :
             {std::tuple{"en_US", u"Urbana"_s, 2, u"Pastagem"_s, u"69"_s},
              std::tuple{"pt_BR", u"Rural"_s, 3, u"Solo d'aluvião"_s, u"77,5"_s}}) {
            h = std::make_unique<WindowHarness>();
            QVERIFY(h->open(locale));
            h->type("txtCN", u"81"_s);
            h->pick("cboZona", zone);
            QCOMPARE(h->list("cboTerreno")->count(), classes);
            QCOMPARE(h->text("txtCN"), u"81"_s);
            h->pick("cboTerreno", landClass);
            QCOMPARE(h->text("txtCN"), cn);
        }
    }

    // tc = 0.95 (L³/H)^0.385 follows every key; what is being typed is left alone: tc stays
    // blank while the two read no tc, and a value that leaves it undefined is refused on
    // leaving, the text kept and the focus there.
    void typingIsLeftAloneAndAnUndefinedTimeRefusedOnLeaving() {
        // The field typed last, then the other's value; 0.95 (10³/0.5)^0.385 = 17.73 h. A drop
        // of 1 and a length of 0.5 are the bounds where the refusal names the other field.
        for (const auto& [locale, field, typed, other, tc, refusal] :
             {std::tuple{"pt_BR", "txtDesnivel", u"0,5"_s, u"10"_s, u"17,73"_s, QString()},
              {"en_US", "txtDesnivel", u"0"_s, u"10"_s, QString(),
               u"o desnível deve ser maior que 0 m"_s},
              {"en_US", "txtComprimento", u"-1"_s, u"1"_s, QString(),
               u"o comprimento do talvegue deve ser maior que 0 km"_s},
              {"en_US", "txtDesnivel", u"1e-320"_s, u"0.5"_s, QString(),
               u"o resultado é grande demais"_s}}) {
            h = std::make_unique<WindowHarness>();
            QVERIFY(h->open(locale));
            h->type(std::string_view(field) == "txtDesnivel" ? "txtComprimento" : "txtDesnivel",
                    other);
            QVERIFY(h->text("txtconcentracao").isEmpty()); // nothing before both are there
            h->type(field, typed);
            QCOMPARE(h->text(field), typed);
            QCOMPARE(h->text("txtconcentracao"), tc);
            h->pressTab();
            const QString refused = u"O tempo de concentração não pode ser calculado: "_s + refusal;
            QCOMPARE(h->dialogs.take().value(0).text,
                     refusal.isEmpty() ? QString() : refused + u"."_s);
            if (!refusal.isEmpty()) {
                QCOMPARE(h->text(field), typed);
                QCOMPARE(h->focusName(), QString::fromLatin1(field));
            }
        }
    }

    // Numbers are shown in the regional form on leaving; a narrow field shows where a formatted
    // number starts, also when entered by Tab; the selection goes with the focus.
    void formattingOnLeaving() {
        for (const auto& [locale, typed, shown] :
             {std::tuple{"en_US", u"1234567.891"_s, u"1,234,567.89"_s},
              {"en_US", u"12km"_s, u"12km"_s},
              {"pt_BR", u"1234,5"_s, u"1.234,50"_s}}) {
            h = std::make_unique<WindowHarness>();
            QVERIFY(h->open(locale));
            for (const char* field : {"txtArea", "txtComprimento", "txtDesnivel"}) {
                h->type(field, typed);
                h->pressTab();
                QCOMPARE(h->text(field), shown);
                QCOMPARE(h->field(field)->cursorPosition(), shown == typed ? typed.size() : 0);
                h->field(field)->setFocus(Qt::TabFocusReason);
                QCOMPARE(h->field(field)->cursorPosition(), 0);
                QVERIFY(h->field(field)->hasSelectedText());
                h->pressTab();
                QVERIFY(!h->field(field)->hasSelectedText());
            }
        }
    }

    // Focus that leaves with the whole window (a message box) does not leave the field.
    void onlyAnotherControlTakesTheFocus() {
        QVERIFY(h->open());
        h->type("txtArea", u"2.5"_s);
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(h->field("txtArea"), &away);
        QCOMPARE(h->text("txtArea"), u"2.5"_s);
        QFocusEvent toAnother(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(h->field("txtArea"), &toAnother);
        QCOMPARE(h->text("txtArea"), u"2.50"_s);
    }

    // Maximised, the frame may grow; restored, it has the layout's size again. The own
    // constants are enabled with "Própria", the IDF equation's with "Equação IDF"; "Automática"
    // shows in K, a, b, c those of its last run, none before one or in "Equação IDF", and the
    // typed ones come back with their mode.
    void maximisingAndTheEquationMode() {
        QVERIFY(h->open());
        const QSize fixed = h->window().maximumSize();
        h->window().showMaximized();
        QCOMPARE(h->window().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        h->window().showNormal();
        QCOMPARE(h->window().maximumSize(), fixed);
        h->child<QRadioButton>("Option2")->click();
        h->type("txtK", u"1.5"_s);
        h->child<QRadioButton>("Option3")->click();
        QVERIFY(!h->field("txtK")->isEnabled() && h->field("txtIdfn")->isEnabled());
        h->type("txtIdfK", u"897.79"_s);
        h->child<QRadioButton>("Option1")->click();
        QVERIFY(!h->field("txtIdfK")->isEnabled() && h->text("txtK").isEmpty());
        h->runWorkedExample();
        const calc::CalculationRecord& run = h->window().record();
        QCOMPARE(h->text("txtK").toDouble(), *run.frequencyFactorK);
        QCOMPARE(h->text("txtb"), u"25"_s); // the station's b
        h->child<QRadioButton>("Option3")->click();
        QVERIFY(h->text("txtb").isEmpty() && h->text("txtIdfK") == u"897.79"_s);
        h->child<QRadioButton>("Option2")->click();
        QCOMPARE(h->text("txtK"), u"1.5"_s);
        QVERIFY(h->text("txtb").isEmpty() && !h->field("txtIdfK")->isEnabled());
        // "Novo" empties the form: back in "Automática", with no run's constants to show.
        h->dialogs.unsavedAnswers = {ui::UnsavedChoice::Discard};
        h->window().findChild<QAction*>(u"mnuNovo"_s)->trigger();
        QVERIFY(h->child<QRadioButton>("Option1")->isChecked());
        QVERIFY(h->text("txtK").isEmpty() && h->text("txtIdfK").isEmpty());
    }

    // Tab enters "Equação" at its selected option only, then the fields of that mode.
    void tabVisitsTheChosenModesFields() {
        QVERIFY(h->open());
        for (const auto& [option, order] :
             {std::pair{"Option1", u"Option1 txtRio"_s},
              {"Option2", u"Option2 txtK txta txtb txtc txtRio"_s},
              {"Option3", u"Option3 txtIdfK txtIdfm txtIdft0 txtIdfn txtRio"_s}}) {
            h->child<QRadioButton>(option)->click();
            h->child("grdVazoes")->setFocus(Qt::TabFocusReason);
            QStringList visited;
            while (visited.size() <= order.count(u' ')) {
                h->pressTab();
                visited.append(h->focusName());
            }
            QCOMPARE(visited.join(u' '), order);
        }
    }
};

QTEST_MAIN(WindowInputsTest)
#include "tst_window_inputs.moc"
