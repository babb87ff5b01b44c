#include "report_commands.h"

#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

QDateTime reportMoment() {
    return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 1));
}

void runWorkedExample(WindowHarness& h, const QString& river) {
    h.window().findChild<QRadioButton*>(u"Option1"_s)->click();
    h.pick(h.list("cboPosto"), u"Vila Rica"_s);
    h.type(h.field("txtCN"), u"75"_s);
    h.type(h.field("txtArea"), u"50"_s);
    h.type(h.field("txtComprimento"), u"10"_s);
    h.type(h.field("txtDesnivel"), u"100"_s);
    h.type(h.field("txtRecorrencia"), u"100"_s);
    h.pick(h.list("cboDuracao"), u"1 h"_s);
    enterRiver(h, river);
    h.button("cmdCalcular")->click();
}

void enterRiver(WindowHarness& h, const QString& river) {
    QLineEdit* field = h.field("txtRio");
    h.clear(field);
    // Typed as one input: the key simulation knows no key for letters beyond ASCII.
    field->insert(river);
}

QByteArray runProgram(const QString& program, const QStringList& arguments, QString* error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = u"%1 %2 failed (%3): %4"_s.arg(
            program, arguments.join(u' '), QString::number(process.exitCode()),
            QString::fromLocal8Bit(process.readAllStandardError()));
        return {};
    }
    return process.readAllStandardOutput();
}

QByteArray commandLineReport(const QString& river, const QString& station, const QString& locale,
                             QString* error) {
#ifndef ZEB_CALC_PROGRAM
    *error = u"zeb-calc is not part of this build"_s;
    return {};
#else
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ZEB_REPORT_TIMESTAMP"_s, QString::fromLatin1(kReportMomentText));
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(ZEB_CALC_PROGRAM), {u"--duration"_s,
                                                        u"1 h"_s,
                                                        u"--cn"_s,
                                                        u"75"_s,
                                                        u"--area"_s,
                                                        u"50"_s,
                                                        u"--length"_s,
                                                        u"10"_s,
                                                        u"--drop"_s,
                                                        u"100"_s,
                                                        u"--return-period"_s,
                                                        u"100"_s,
                                                        u"--station-constants"_s,
                                                        u"0.2,25,20,-0.04,0.08,0.08,0.08"_s,
                                                        u"--river"_s,
                                                        river,
                                                        u"--station-name"_s,
                                                        station,
                                                        u"--locale"_s,
                                                        locale,
                                                        u"--format"_s,
                                                        u"report"_s});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        *error = u"zeb-calc failed: "_s + QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
#endif
}

QStringList reportTextLines(const QByteArray& fileBytes) {
    QStringDecoder fromWindows1252("windows-1252");
    // Without a codec library Qt knows no Windows-1252; the report's letters are all Latin-1.
    QString text = fromWindows1252.isValid() ? QString(fromWindows1252(fileBytes))
                                             : QString::fromLatin1(fileBytes);
    if (text.endsWith(u"\r\n"_s)) {
        text.chop(2);
    }
    return text.split(u"\r\n"_s);
}

QStringList lineTexts(const std::vector<report::ReportLine>& lines) {
    QStringList texts;
    for (const report::ReportLine& line : lines) {
        texts.append((line.bold ? u"*"_s : QString()) + QString::fromStdString(line.text));
    }
    return texts;
}
