// Input fields: the time of concentration as length and drop are typed, the silent clearing
// on failure, the formatting on leaving a field and how formatted numbers read back.

#include "window_harness.h"

#include "calc/concentration.h"

#include <cmath>

#include <QApplication>
#include <QFocusEvent>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class InputFieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    QLineEdit* length() { return h->field("txtComprimento"); }
    QLineEdit* drop() { return h->field("txtDesnivel"); }
    QLineEdit* tc() { return h->field("txtconcentracao"); }
    const calc::CalculationRecord& record() { return h->window().record(); }

private Q_SLOTS:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    void dropFirstThenEveryLengthKeyComputes() {
        QVERIFY(h->open());
        h->type(drop(), QStringLiteral("100"));
        QVERIFY(tc()->text().isEmpty());
        QCOMPARE(record().elevationDropM, 0.0); // nothing read while the length is empty

        h->type(length(), QStringLiteral("1"));
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(1, 100));
        QCOMPARE(tc()->text(), QStringLiteral("0.16"));
        QTest::keyClicks(length(), QStringLiteral("0"));
        QCOMPARE(record().channelLengthKm, 10.0);
        QCOMPARE(record().elevationDropM, 100.0);
        QCOMPARE(tc()->text(), QStringLiteral("2.31"));
        QVERIFY(std::abs(record().concentrationTimeH - 2.30528) < 5e-6);
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(10, 100));
    }

    void lengthFirstComputesOnlyOnceTheDropChanges() {
        QVERIFY(h->open());
        h->type(length(), QStringLiteral("10"));
        QVERIFY(tc()->text().isEmpty());
        h->type(drop(), QStringLiteral("1"));
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(10, 1));
        QTest::keyClicks(drop(), QStringLiteral("00"));
        QCOMPARE(tc()->text(), QStringLiteral("2.31"));
    }

    // With a length present, a drop reading 0 fails at once: the field is cleared and keeps
    // the focus, so 0.5 cannot be typed key by key and only the 5 stays.
    void dropStartingWithZeroOrPeriod_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("left");
        QTest::newRow("0.5") << "0.5"
                             << "5";
        QTest::newRow(".5") << ".5"
                            << "5";
        QTest::newRow("0") << "0"
                           << "";
        QTest::newRow("negative") << "-7"
                                  << "7";
    }
    void dropStartingWithZeroOrPeriod() {
        QFETCH(QString, keys);
        QFETCH(QString, left);
        QVERIFY(h->open());
        h->type(length(), QStringLiteral("10"));
        h->type(drop(), keys);
        QCOMPARE(drop()->text(), left);
        QCOMPARE(h->focusName(), QStringLiteral("txtDesnivel"));
        if (left.isEmpty()) {
            QVERIFY(tc()->text().isEmpty());
        } else {
            QCOMPARE(record().concentrationTimeH,
                     *calc::computeConcentrationTime(10, left.toDouble()));
        }
    }

    void zeroDropRefusesAnyLength() {
        QVERIFY(h->open());
        h->type(drop(), QStringLiteral("0"));
        QCOMPARE(drop()->text(), QStringLiteral("0"));
        h->type(length(), QStringLiteral("5"));
        QVERIFY(length()->text().isEmpty());
        QCOMPARE(h->focusName(), QStringLiteral("txtComprimento"));
        QVERIFY(tc()->text().isEmpty());
        QCOMPARE(record().concentrationTimeH, 0.0);
    }

    // "-" reads 0 and gives tc 0; "-1" fails, clears the length, and the empty length then
    // gives tc 0 again.
    void negativeLengthIsCleared() {
        QVERIFY(h->open());
        h->type(drop(), QStringLiteral("100"));
        h->type(length(), QStringLiteral("3"));
        QVERIFY(record().concentrationTimeH > 0);
        h->type(length(), QStringLiteral("-1"));
        QVERIFY(length()->text().isEmpty());
        QCOMPARE(h->focusName(), QStringLiteral("txtComprimento"));
        QCOMPARE(tc()->text(), QStringLiteral("0.00"));
        QCOMPARE(record().concentrationTimeH, 0.0);
    }

    void clearingTheLengthGivesZero() {
        QVERIFY(h->open());
        h->type(drop(), QStringLiteral("100"));
        h->type(length(), QStringLiteral("10"));
        h->clear(length());
        QCOMPARE(tc()->text(), QStringLiteral("0.00"));
        QCOMPARE(record().concentrationTimeH, 0.0);
        QCOMPARE(record().channelLengthKm, 0.0);
    }

    // Leaving a drop that rounds to 0.00 formats it to a drop of 0: the field is cleared and
    // the focus goes back to it instead of on to the next field.
    void leavingADropThatRoundsToZero() {
        QVERIFY(h->open());
        h->type(length(), QStringLiteral("10"));
        h->type(drop(), QStringLiteral("4"));
        QTest::keyClick(drop(), Qt::Key_Home);
        QTest::keyClicks(drop(), QStringLiteral("0.00"));
        QCOMPARE(drop()->text(), QStringLiteral("0.004"));
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(10, 0.004));
        h->pressTab();
        QVERIFY(drop()->text().isEmpty());
        QCOMPARE(h->focusName(), QStringLiteral("txtDesnivel"));
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(10, 0.004));
    }

    // A failure keeps the last good time of concentration, shown and stored.
    void failureKeepsTheLastTime() {
        QVERIFY(h->open());
        h->type(length(), QStringLiteral("10"));
        h->type(drop(), QStringLiteral("100"));
        h->type(drop(), QStringLiteral("-"));
        QVERIFY(drop()->text().isEmpty());
        QCOMPARE(tc()->text(), QStringLiteral("2.31"));
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(10, 100));
    }

    void formattingOnLeaving_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const QLocale en = englishUS();
        const QLocale pt = portugueseBR();
        QTest::newRow("en decimal") << en << "txtArea"
                                    << "2.5"
                                    << "2.50";
        QTest::newRow("en grouping") << en << "txtArea"
                                     << "1234567.891"
                                     << "1,234,567.89";
        QTest::newRow("en grouped input") << en << "txtArea"
                                          << "1,234.5"
                                          << "1,234.50";
        QTest::newRow("en half away from zero") << en << "txtArea"
                                                << "0.125"
                                                << "0.13";
        QTest::newRow("en blanks around") << en << "txtArea"
                                          << " 12 "
                                          << "12.00";
        QTest::newRow("en not a number") << en << "txtArea"
                                         << "abc"
                                         << "abc";
        QTest::newRow("en leading number only") << en << "txtArea"
                                                << "12km"
                                                << "12km";
        QTest::newRow("en empty") << en << "txtArea"
                                  << ""
                                  << "";
        QTest::newRow("en length") << en << "txtComprimento"
                                   << "1234"
                                   << "1,234.00";
        QTest::newRow("pt decimal") << pt << "txtArea"
                                    << "2,5"
                                    << "2,50";
        QTest::newRow("pt grouping") << pt << "txtDesnivel"
                                     << "1234,5"
                                     << "1.234,50";
        QTest::newRow("pt period is no decimal") << pt << "txtArea"
                                                 << "2.5"
                                                 << "2.5";
    }
    void formattingOnLeaving() {
        QFETCH(QLocale, locale);
        QFETCH(QString, fieldName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QVERIFY(h->open(locale));
        QLineEdit* target = h->field(fieldName.toLatin1().constData());
        h->type(target, typed);
        h->pressTab();
        QCOMPARE(target->text(), shown);
    }

    // Another window becoming active, or a list's popup, does not leave the field: it keeps
    // its text as typed until the focus moves to another control.
    void focusLeavingWithTheWindowIsNoLostFocus_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("shown");
        QTest::newRow("window deactivated") << int(Qt::ActiveWindowFocusReason) << "2.5";
        QTest::newRow("popup") << int(Qt::PopupFocusReason) << "2.5";
        QTest::newRow("mouse on another control") << int(Qt::MouseFocusReason) << "2.50";
    }
    void focusLeavingWithTheWindowIsNoLostFocus() {
        QFETCH(int, reason);
        QFETCH(QString, shown);
        QVERIFY(h->open());
        h->type(h->field("txtArea"), QStringLiteral("2.5"));
        QFocusEvent out(QEvent::FocusOut, static_cast<Qt::FocusReason>(reason));
        QApplication::sendEvent(h->field("txtArea"), &out);
        QCOMPARE(h->field("txtArea")->text(), shown);
    }

    // What the window wrote reads back as the value it wrote, in both locales, through the
    // change handler that runs after the formatting.
    void formattedLengthReadsBackAsWritten_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typedLength");
        QTest::addColumn<QString>("typedDrop");
        QTest::addColumn<double>("lengthKm");
        QTest::addColumn<double>("dropM");
        QTest::newRow("en thousands") << englishUS() << "1234"
                                      << "2500" << 1234.0 << 2500.0;
        QTest::newRow("pt decimals") << portugueseBR() << "2,5"
                                     << "12,75" << 2.5 << 12.75;
        QTest::newRow("pt thousands") << portugueseBR() << "1500"
                                      << "1200,5" << 1500.0 << 1200.5;
    }
    void formattedLengthReadsBackAsWritten() {
        QFETCH(QLocale, locale);
        QFETCH(QString, typedLength);
        QFETCH(QString, typedDrop);
        QFETCH(double, lengthKm);
        QFETCH(double, dropM);
        QVERIFY(h->open(locale));
        h->type(drop(), typedDrop);
        h->pressTab();
        h->type(length(), typedLength);
        h->pressTab();
        QCOMPARE(record().channelLengthKm, lengthKm);
        QCOMPARE(record().elevationDropM, dropM);
        QCOMPARE(record().concentrationTimeH, *calc::computeConcentrationTime(lengthKm, dropM));
        QVERIFY(tc()->text().contains(locale.decimalPoint()));
    }

    void equationModeEnablesWithoutClearing() {
        QVERIFY(h->open());
        auto* own = h->window().findChild<QRadioButton*>(QStringLiteral("Option2"));
        auto* automatic = h->window().findChild<QRadioButton*>(QStringLiteral("Option1"));
        QTest::mouseClick(own, Qt::LeftButton);
        for (const char* name : {"txtK", "txta", "txtb", "txtc"}) {
            QVERIFY(h->field(name)->isEnabled());
            h->type(h->field(name), QStringLiteral("1.5"));
        }
        QTest::mouseClick(automatic, Qt::LeftButton);
        for (const char* name : {"txtK", "txta", "txtb", "txtc"}) {
            QVERIFY(!h->field(name)->isEnabled());
            QCOMPARE(h->field(name)->text(), QStringLiteral("1.5"));
        }
        QTest::mouseClick(own, Qt::LeftButton);
        QCOMPARE(h->field("txtK")->text(), QStringLiteral("1.5"));
    }
};

QTEST_MAIN(InputFieldsTest)
#include "tst_input_fields.moc"
