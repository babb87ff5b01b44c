// The main window as loaded: controls, lists, grid, fonts, tab order, access keys, frame.

#include "window_harness.h"

#include "refdata/open_database.h"
#include "refdata/reference_database.h"
#include "ui/fonts.h"

#include <fstream>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    template <typename T> T* child(const char* name) {
        return h->window().findChild<T*>(QString::fromLatin1(name));
    }

    // Fills every field a run in "Própria" needs and runs it successfully.
    void runOwnMode() {
        h->pick(h->list("cboDuracao"), 3);
        child<QRadioButton>("Option2")->click();
        h->type(h->field("txtCN"), QStringLiteral("75"));
        h->type(h->field("txtArea"), QStringLiteral("50"));
        h->type(h->field("txtComprimento"), QStringLiteral("10"));
        h->type(h->field("txtDesnivel"), QStringLiteral("100"));
        h->type(h->field("txtK"), QStringLiteral("2.3"));
        h->type(h->field("txta"), QStringLiteral("0.2"));
        h->type(h->field("txtb"), QStringLiteral("25"));
        h->type(h->field("txtc"), QStringLiteral("20"));
        h->button("cmdCalcular")->click();
    }

private Q_SLOTS:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    void stateAfterLoad() {
        QVERIFY(h->open());
        ui::frmZEB& w = h->window();
        QCOMPARE(w.windowTitle(), QStringLiteral("ZEB"));
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(child<QRadioButton>("Option1")->isChecked());
        QVERIFY(!child<QRadioButton>("Option2")->isChecked());

        for (const char* name : {"txtEstado", "txtconcentracao", "txtK", "txta", "txtb", "txtc"}) {
            QVERIFY2(!h->field(name)->isEnabled(), name);
        }
        for (const char* name :
             {"txtRio", "txtCN", "txtArea", "txtComprimento", "txtDesnivel", "txtRecorrencia"}) {
            QVERIFY2(h->field(name)->isEnabled(), name);
        }
        for (QLineEdit* field : w.findChildren<QLineEdit*>()) {
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        }
        QVERIFY(!h->button("cmdImprimir")->isEnabled());
        QVERIFY(!h->button("cmdExportar")->isEnabled());
        QVERIFY(h->button("cmdCalcular")->isEnabled());

        // Every list filled, in stored order, and nothing selected.
        const QStringList codes{u"101"_s, u"102"_s, u"103"_s, u"104"_s, u"105"_s, u"106"_s};
        const QStringList names{u"Vila Rica"_s, u"Pau d'Alho"_s,
                                u"Vila Rica"_s, QStringLiteral("Olho d'Água"),
                                u""_s,          u"Sem Bm"_s};
        const QStringList terrains{u"Floresta"_s,
                                   u"Pastagem"_s,
                                   QStringLiteral("Área comercial"),
                                   u"Pastagem"_s,
                                   QStringLiteral("Solo d'aluvião"),
                                   QStringLiteral("Várzea")};
        const QStringList durations{u"5 min"_s, u"15 min"_s, u"30 min"_s, u"1 h"_s,  u"2 h"_s,
                                    u"4 h"_s,   u"8 h"_s,    u"14 h"_s,   u"24 h"_s, u"48 h"_s,
                                    u"3 d"_s,   u"4 d"_s,    u"6 d"_s};
        const auto items = [](QComboBox* list) {
            QStringList texts;
            for (int i = 0; i < list->count(); ++i) {
                texts.append(list->itemText(i));
            }
            return texts;
        };
        QCOMPARE(items(h->list("cboCodigo")), codes);
        QCOMPARE(items(h->list("cboPosto")), names);
        QCOMPARE(items(h->list("cboZona")), (QStringList{u"Rural"_s, u"Urbana"_s}));
        QCOMPARE(items(h->list("cboTerreno")), terrains);
        QCOMPARE(items(h->list("cboDuracao")), durations);
        for (QComboBox* list : w.findChildren<QComboBox*>()) {
            QCOMPARE(list->currentIndex(), -1);
            QVERIFY(list->currentText().isEmpty());
        }
        // Filling ran no selection handler.
        QCOMPARE(h->database().stationLookups, 0);
        QCOMPARE(h->database().curveNumberLookups, 0);
        QCOMPARE(h->database().zoneQueries, 0);

        // The grid: the two headings with their blanks, nothing else.
        auto* grid = child<QTableWidget>("grdVazoes");
        QCOMPARE(grid->rowCount(), 16);
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->columnWidth(0), 100);
        QCOMPARE(grid->columnWidth(1), 100);
        QCOMPARE(h->cell(0, 0), QStringLiteral("        Tempo (h)"));
        QCOMPARE(h->cell(0, 1), QStringLiteral("      Vazão (m³/s)"));
        QVERIFY(!(grid->item(0, 0)->flags() & Qt::ItemIsSelectable));
        for (int row = 1; row < 16; ++row) {
            QVERIFY(h->cell(row, 0).isEmpty());
            QVERIFY(h->cell(row, 1).isEmpty());
        }

        const calc::CalculationRecord& record = w.record();
        QCOMPARE(record.concentrationTimeH, 0.0);
        QVERIFY(!record.timesH[1].has_value());
        QVERIFY(!w.currentStation().has_value());
    }

    void shippedDatabaseLoads() {
#ifndef ZEB_PROGRAM_DIR
        QSKIP("the shipped database is not part of this build");
#else
        QVERIFY(h->open(englishUS(), [] { return refdata::openProgramDatabase(ZEB_PROGRAM_DIR); }));
        QVERIFY(h->list("cboPosto")->count() >= 1);
        QVERIFY(h->list("cboTerreno")->count() >= 100);
        QCOMPARE(h->list("cboPosto")->currentIndex(), -1);
        h->pick(h->list("cboPosto"), 0);
        QVERIFY(h->window().currentStation().has_value());
        QCOMPARE(h->list("cboCodigo")->currentIndex(), 0);
#endif
    }

    void databaseFailureStopsTheLoad_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("opening fails") << 0;
        QTest::newRow("file is not a database") << 1;
    }
    void databaseFailureStopsTheLoad() {
        QFETCH(int, kind);
        QTemporaryDir folder;
        QString expectedStart;
        WindowHarness::DatabaseFactory factory;
        if (kind == 0) {
            factory = []() -> refdata::Result<std::unique_ptr<refdata::ReferenceDatabase>> {
                return refdata::DatabaseError{"Banco de dados danificado: /x/zeb.mdb"};
            };
            expectedStart = QStringLiteral("Banco de dados danificado: /x/zeb.mdb");
        } else {
            std::ofstream(folder.filePath(QStringLiteral("zeb.mdb")).toStdString())
                << "isto não é um banco de dados";
            const std::string dir = folder.path().toStdString();
            factory = [dir] { return refdata::openProgramDatabase(dir); };
        }
        QVERIFY(!h->open(englishUS(), factory));
        QVERIFY(!h->window().isVisible());
        const auto messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        if (kind == 0) {
            QCOMPARE(messages[0].text, expectedStart);
        } else {
            // The data layer's own message, naming the file.
            QVERIFY2(messages[0].text.contains(QStringLiteral("zeb.mdb")),
                     qPrintable(messages[0].text));
        }
    }

    // With the substitute fonts every caption still fits its control: nothing is clipped.
    void captionsFitTheirControls() {
        QVERIFY(h->open());
        for (QLabel* label : h->window().findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue;
            }
            const QFontMetrics metrics(label->font());
            const QRect needed = metrics.boundingRect(label->text());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width() &&
                         metrics.height() <= label->height() + 2,
                     qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5")
                                    .arg(label->objectName())
                                    .arg(metrics.horizontalAdvance(label->text()))
                                    .arg(needed.height())
                                    .arg(label->width())
                                    .arg(label->height())));
        }
        for (QAbstractButton* button : h->window().findChildren<QAbstractButton*>()) {
            const QSize hint = button->sizeHint();
            QVERIFY2(hint.width() <= button->width() + 16, qPrintable(button->objectName()));
        }
        QCOMPARE(child<QLabel>("lblNorbaltica")->font().pointSizeF(), 27.75);
        QVERIFY(child<QLabel>("lblNorbaltica")->font().bold());
        QCOMPARE(h->field("txtRio")->font().pointSizeF(), 8.25);
        QCOMPARE(h->field("txtRio")->font().family(), ui::controlFont().family());
    }

    void windowIsFixedAndMaximizingMovesNothing() {
        QVERIFY(h->open());
        ui::frmZEB& w = h->window();
        QCOMPARE(w.centralWidget()->size(), QSize(590, 523));
        QCOMPARE(w.minimumSize(), w.maximumSize());

        QList<QPair<QWidget*, QRect>> places;
        for (QWidget* widget : w.centralWidget()->findChildren<QWidget*>()) {
            places.append({widget, widget->geometry()});
        }
        const QPoint centralAt = w.centralWidget()->pos();
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        QCOMPARE(w.centralWidget()->pos(), centralAt);
        for (const auto& [widget, place] : places) {
            QCOMPARE(widget->geometry(), place);
        }
        w.showNormal();
        QTRY_COMPARE(w.minimumSize(), w.maximumSize());
    }

    void emblemPictures() {
        const QImage bitmap(QStringLiteral(":/zeb/emblem-125x135.png"));
        QCOMPARE(bitmap.size(), QSize(125, 135));
        QVERIFY(!bitmap.hasAlphaChannel());
        QImage icon(QStringLiteral(":/zeb/emblem-48.png"));
        QCOMPARE(icon.size(), QSize(48, 48));
        QVERIFY(icon.colorCount() > 0 && icon.colorCount() <= 16);
        // Black on white, and both colours really there.
        QCOMPARE(bitmap.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(bitmap.pixelColor(62, 20), QColor(Qt::black));
    }

    void tabOrder_data() {
        QTest::addColumn<bool>("afterOwnRun");
        QTest::addColumn<QStringList>("visits");
        const QStringList start{u"cboCodigo"_s,      u"cboPosto"_s,    u"cboZona"_s,
                                u"cboTerreno"_s,     u"txtCN"_s,       u"txtArea"_s,
                                u"txtComprimento"_s, u"txtDesnivel"_s, u"cboDuracao"_s,
                                u"txtRecorrencia"_s, u"cmdSair"_s,     u"cmdCalcular"_s};
        QTest::newRow("after load")
            << false << start + QStringList{u"grdVazoes"_s, u"Option1"_s, u"txtRio"_s};
        QTest::newRow("own mode after a run")
            << true << start + QStringList{u"cmdImprimir"_s, u"cmdExportar"_s, u"grdVazoes"_s,
                                           u"Option2"_s,     u"txtK"_s,        u"txta"_s,
                                           u"txtb"_s,        u"txtc"_s,        u"txtRio"_s};
    }
    void tabOrder() {
        QFETCH(bool, afterOwnRun);
        QFETCH(QStringList, visits);
        QVERIFY(h->open());
        if (afterOwnRun) {
            runOwnMode();
            QVERIFY(h->button("cmdExportar")->isEnabled());
        }
        h->field("txtRio")->setFocus(Qt::OtherFocusReason);
        QCOMPARE(h->focusName(), QStringLiteral("txtRio"));
        QStringList seen;
        for (qsizetype i = 0; i < visits.size(); ++i) {
            h->pressTab();
            seen.append(h->focusName());
        }
        QCOMPARE(seen, visits);
    }

    void disabledCommandsIgnoreAccessKeys() {
        QVERIFY(h->open());
        QSignalSpy printed(h->button("cmdImprimir"), &QPushButton::clicked);
        QSignalSpy exported(h->button("cmdExportar"), &QPushButton::clicked);
        QSignalSpy calculated(h->button("cmdCalcular"), &QPushButton::clicked);
        QWidget* focus = h->field("txtRio");
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_I, Qt::AltModifier);
        QTest::keyClick(focus, Qt::Key_E, Qt::AltModifier);
        // The enabled one answers its key: the check below is not vacuous.
        QTest::keyClick(focus, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(calculated.count(), 1);
        QCOMPARE(printed.count(), 0);
        QCOMPARE(exported.count(), 0);
        QCOMPARE(h->dialogs().takeMessages().size(), 1); // the empty fields

        runOwnMode();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        h->dialogs().saveAnswers.push_back(QString()); // the export's save dialog, cancelled
        QTest::keyClick(h->focusName().isEmpty() ? static_cast<QWidget*>(&h->window())
                                                 : QApplication::focusWidget(),
                        Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(exported.count(), 1);
    }

    void aboutMenuAndExit() {
        QVERIFY(h->open());
        auto* menu = h->window().menuBar()->actions().value(0);
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->text(), QStringLiteral("&Ajuda"));
        QCOMPARE(menu->menu()->actions().value(0)->text(), QStringLiteral("&Sobre"));
        QCOMPARE(menu->menu()->actions().value(0)->objectName(), QStringLiteral("mnuSobre"));

        h->field("txtRio")->setFocus();
        QTest::keyClick(h->field("txtRio"), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!h->window().isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
