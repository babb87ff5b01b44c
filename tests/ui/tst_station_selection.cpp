// Station and soil selection: the name and code lists in step with one lookup per pick, the
// zone and land-class lists, and the curve number.

#include "window_harness.h"

#include <QTest>

using namespace Qt::StringLiterals;

class StationSelectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

private Q_SLOTS:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    void onePickOneLookup_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("state");
        QTest::newRow("name with apostrophe")
            << "cboPosto" << 1 << "102" << QStringLiteral("Pau d'Alho") << "PE";
        QTest::newRow("name with accent")
            << "cboPosto" << 3 << "104" << QStringLiteral("Olho d'Água") << "BA";
        QTest::newRow("code") << "cboCodigo" << 1 << "102" << QStringLiteral("Pau d'Alho") << "PE";
        QTest::newRow("first of a repeated name")
            << "cboPosto" << 0 << "101" << QStringLiteral("Vila Rica") << "MG";
    }
    void onePickOneLookup() {
        QFETCH(QString, list);
        QFETCH(int, position);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, state);
        QVERIFY(h->open());
        h->pick(h->list(list.toLatin1().constData()), position);

        QCOMPARE(h->database().stationLookups, 1);
        QCOMPARE(h->database().stationNamesLookedUp.back(), name.toStdString());
        QCOMPARE(h->list("cboCodigo")->currentIndex(), position);
        QCOMPARE(h->list("cboPosto")->currentIndex(), position);
        QCOMPARE(h->list("cboCodigo")->currentText(), code);
        QCOMPARE(h->list("cboPosto")->currentText(), name);
        QCOMPARE(h->field("txtEstado")->text(), state);
        QCOMPARE(QString::fromStdString(h->window().currentStation()->codigo), code);

        // Picking the same item again changes nothing and looks nothing up.
        h->pick(h->list(list.toLatin1().constData()), position);
        QCOMPARE(h->database().stationLookups, 1);
    }

    // The second "Vila Rica" (103, GO) is found as the first row with its name: the code,
    // state and constants shown and used are the first row's, and both lists move to it.
    void repeatedNameShowsTheFirstRow_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("by name") << "cboPosto";
        QTest::newRow("by code") << "cboCodigo";
    }
    void repeatedNameShowsTheFirstRow() {
        QFETCH(QString, list);
        QVERIFY(h->open());
        h->pick(h->list(list.toLatin1().constData()), 2);
        QCOMPARE(h->list("cboCodigo")->currentText(), QStringLiteral("101"));
        QCOMPARE(h->list("cboPosto")->currentIndex(), 0);
        QCOMPARE(h->list("cboCodigo")->currentIndex(), 0);
        QCOMPARE(h->field("txtEstado")->text(), QStringLiteral("MG"));
        QCOMPARE(h->window().currentStation()->coefficients.a, std::optional<double>(0.2));
        // The move back to the first row looks the same name up once more, then stops.
        QCOMPARE(h->database().stationLookups, 2);
    }

    void emptyNameLooksNothingUp() {
        QVERIFY(h->open());
        h->pick(h->list("cboPosto"), 1);
        QCOMPARE(h->field("txtEstado")->text(), QStringLiteral("PE"));
        h->pick(h->list("cboCodigo"), 4);
        QCOMPARE(h->database().stationLookups, 1);
        QCOMPARE(h->list("cboPosto")->currentIndex(), 4);
        QCOMPARE(h->field("txtEstado")->text(), QStringLiteral("PE"));
        // Pau d'Alho's constants are not taken for the station now shown.
        QVERIFY(!h->window().currentStation().has_value());
    }

    void unreadableRowIsReportedAndTheWindowGoesOn() {
        QVERIFY(h->open(englishUS(), [] {
            auto db = makeTestDatabase();
            db->unreadableStations.insert("Pau d'Alho");
            db->unreadableLandClasses.insert("Floresta");
            return db;
        }));
        h->pick(h->list("cboPosto"), 3);
        h->pick(h->list("cboPosto"), 1);
        auto messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(QStringLiteral("Pau d'Alho")));
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        QVERIFY(!h->window().currentStation().has_value());
        QCOMPARE(h->field("txtEstado")->text(), QStringLiteral("BA"));

        h->type(h->field("txtCN"), QStringLiteral("70"));
        h->pick(h->list("cboTerreno"), QStringLiteral("Floresta"));
        QCOMPARE(h->dialogs().takeMessages().size(), 1);
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("70"));

        // Other rows still work.
        h->pick(h->list("cboPosto"), 0);
        QCOMPARE(h->field("txtEstado")->text(), QStringLiteral("MG"));
        h->pick(h->list("cboTerreno"), QStringLiteral("Pastagem"));
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("69"));
    }

    void zoneReloadsTheLandClasses_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QStringList>("classes");
        QTest::newRow("Rural") << "Rural"
                               << QStringList{u"Floresta"_s, u"Pastagem"_s,
                                              QStringLiteral("Solo d'aluvião")};
        QTest::newRow("Urbana") << "Urbana"
                                << QStringList{QStringLiteral("Área comercial"), u"Pastagem"_s};
    }
    void zoneReloadsTheLandClasses() {
        QFETCH(QString, zone);
        QFETCH(QStringList, classes);
        QVERIFY(h->open());
        h->pick(h->list("cboTerreno"), QStringLiteral("Várzea"));
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("83"));
        QCOMPARE(h->database().curveNumberLookups, 1);

        h->pick(h->list("cboZona"), zone);
        QComboBox* terrains = h->list("cboTerreno");
        QStringList listed;
        for (int i = 0; i < terrains->count(); ++i) {
            listed.append(terrains->itemText(i));
        }
        QCOMPARE(listed, classes);
        QCOMPARE(terrains->currentIndex(), -1);
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("83"));
        QCOMPARE(h->database().curveNumberLookups, 1);
        QCOMPARE(h->database().zoneQueries, 1);
    }

    // The curve number is the first row's for the land class, whatever zone is chosen, and
    // is written with the regional decimal separator.
    void landClassWritesItsCurveNumber_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("landClass");
        QTest::addColumn<QString>("shown");
        QTest::newRow("in both zones, Urbana chosen") << englishUS() << "Urbana"
                                                      << "Pastagem"
                                                      << "69";
        QTest::newRow("decimal, en_US")
            << englishUS() << "Rural" << QStringLiteral("Solo d'aluvião") << "77.5";
        QTest::newRow("decimal, pt_BR")
            << portugueseBR() << "Rural" << QStringLiteral("Solo d'aluvião") << "77,5";
    }
    void landClassWritesItsCurveNumber() {
        QFETCH(QLocale, locale);
        QFETCH(QString, zone);
        QFETCH(QString, landClass);
        QFETCH(QString, shown);
        QVERIFY(h->open(locale));
        h->pick(h->list("cboZona"), zone);
        h->pick(h->list("cboTerreno"), landClass);
        QCOMPARE(h->field("txtCN")->text(), shown);
    }

    void typedCurveNumberStaysUntilTheNextLandClass() {
        QVERIFY(h->open());
        h->type(h->field("txtCN"), QStringLiteral("81"));
        h->pick(h->list("cboZona"), QStringLiteral("Rural"));
        h->pick(h->list("cboZona"), QStringLiteral("Urbana"));
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("81"));
        h->pick(h->list("cboTerreno"), QStringLiteral("Área comercial"));
        QCOMPARE(h->field("txtCN")->text(), QStringLiteral("92"));
    }
};

QTEST_MAIN(StationSelectionTest)
#include "tst_station_selection.moc"
