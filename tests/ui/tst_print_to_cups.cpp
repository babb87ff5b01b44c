// End to end with a real print system: "&Imprimir" in the window sends the report to the
// system's default printer, the cups-pdf virtual printer, and the job comes out as a one-page
// document with the report's regular and bold faces. The print system re-renders the job (its
// text no longer reads back), so the text itself is checked on the direct PDF rendering.
// scripts/cups-pdf-printer.sh starts the printer; without it the test is skipped (exit status
// 77) and says why.

#include "report_commands.h"

#include <cstdio>
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kSkipped = 77;
constexpr int kJobWaitMs = 60000;

// The folder cups-pdf writes a user's documents to: its "Out" setting, ~/PDF by default.
QString outputFolder() {
    QString folder = u"${HOME}/PDF"_s;
    QFile config(u"/etc/cups/cups-pdf.conf"_s);
    if (config.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const auto match =
            QRegularExpression(u"^Out\\s+(\\S+)\\s*$"_s, QRegularExpression::MultilineOption)
                .match(QString::fromLocal8Bit(config.readAll()));
        if (match.hasMatch()) {
            folder = match.captured(1);
        }
    }
    // cups-pdf takes the job's user's home from the user database, not from the environment.
    const passwd* user = ::getpwuid(::getuid());
    const QString home = user != nullptr ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    return folder.replace(u"${HOME}"_s, home);
}

// Why the test cannot run here; empty when the default printer is a cups-pdf one.
QString reasonToSkip() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        return u"no default printer: the print system is not running "
               "(scripts/cups-pdf-printer.sh start, as root)"_s;
    }
    QString error;
    const QByteArray device = runProgram(u"lpstat"_s, {u"-v"_s, printer.printerName()}, &error);
    if (!device.contains("cups-pdf:")) {
        return u"the default printer \"%1\" is not the cups-pdf printer %2"_s.arg(
            printer.printerName(), error);
    }
    return {};
}

QStringList documentsIn(const QString& folder) {
    return QDir(folder).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name);
}

} // namespace

class PrintToCupsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printedJobIsOnePage() {
        const QString folder = outputFolder();
        const QStringList before = documentsIn(folder);
        WindowHarness h;
        h.clock = [] { return reportMoment(); };
        QVERIFY(h.open());
        runWorkedExample(h, u"Rio Doce"_s);
        QVERIFY(h.dialogs().takeMessages().isEmpty());

        QWidget* focus = h.field("txtRio");
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_I, Qt::AltModifier);
        const QString left = h.unexpectedBoxes();
        QVERIFY2(left.isEmpty(), qPrintable(left));

        // The job is converted and written by the print system in its own time; a document
        // is there once pdfinfo can read it whole.
        QString document;
        QString info;
        const bool arrived = QTest::qWaitFor(
            [&] {
                for (const QString& name : documentsIn(folder)) {
                    if (before.contains(name)) {
                        continue;
                    }
                    QString error;
                    info = QString::fromUtf8(
                        runProgram(u"pdfinfo"_s, {QDir(folder).filePath(name)}, &error));
                    if (error.isEmpty()) {
                        document = QDir(folder).filePath(name);
                        return true;
                    }
                }
                return false;
            },
            kJobWaitMs);
        QVERIFY2(arrived, qPrintable(u"no new document in %1 after %2 s"_s.arg(folder).arg(
                              kJobWaitMs / 1000)));
        qInfo("document of the job: %s", qPrintable(document));

        QVERIFY2(QRegularExpression(u"^Pages:\\s+1$"_s, QRegularExpression::MultilineOption)
                     .match(info)
                     .hasMatch(),
                 qPrintable(info));

        QString error;
        const QString fonts = QString::fromUtf8(runProgram(u"pdffonts"_s, {document}, &error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QStringList mono;
        for (const QString& row : fonts.split(u'\n', Qt::SkipEmptyParts)) {
            if (row.contains(u"Mono"_s) || row.contains(u"Courier"_s)) {
                mono.append(row.section(u' ', 0, 0, QString::SectionSkipEmpty));
            }
        }
        QVERIFY2(mono.size() == 2 && mono.filter(u"Bold"_s).size() == 1, qPrintable(fonts));

        QFile::remove(document);
    }

    // A printer that refuses new jobs would swallow the report; the user is told instead, and
    // nothing reaches the printer.
    void refusingPrinterShowsAWarning() {
        const QString name = QPrinterInfo::defaultPrinter().printerName();
        QString error;
        runProgram(u"cupsreject"_s, {name}, &error);
        if (!error.isEmpty()) {
            QSKIP(qPrintable(u"cannot make the printer refuse jobs: "_s + error));
        }
        const QString folder = outputFolder();
        const QStringList before = documentsIn(folder);
        WindowHarness h;
        QVERIFY(h.open());
        runWorkedExample(h, u"Rio Doce"_s);
        QVERIFY(h.dialogs().takeMessages().isEmpty());
        h.button("cmdImprimir")->click();
        const auto messages = h.dialogs().takeMessages();
        runProgram(u"cupsaccept"_s, {name}, &error);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text,
                 u"O relatório não foi impresso na impressora \"%1\": a impressora não está "
                 "aceitando trabalhos."_s.arg(name));
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        QTest::qWait(2000);
        QCOMPARE(documentsIn(folder), before);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString reason = reasonToSkip();
    if (!reason.isEmpty()) {
        std::printf("SKIP: %s\n", qPrintable(reason));
        return kSkipped;
    }
    PrintToCupsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print_to_cups.moc"
