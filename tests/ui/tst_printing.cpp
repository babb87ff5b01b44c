// The print command, its job rendered as a PDF by the same painting code the printer gets:
// the 47 lines as text, one landscape page, bold for line 21 only; and the warnings when there
// is no printer or the job fails.

#include "report_commands.h"

#include "report/report_file.h"
#include "report/report_lines.h"
#include "ui/fonts.h"
#include "ui/report_printing.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// What pdfinfo says of a document.
struct DocumentInfo {
    int pages = 0;
    double widthPt = 0;
    double heightPt = 0;
};

DocumentInfo documentInfo(const QString& pdf, QString* error) {
    const QString text = QString::fromUtf8(runProgram(u"pdfinfo"_s, {pdf}, error));
    DocumentInfo info;
    const auto pages =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption).match(text);
    const auto size = QRegularExpression(u"^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s,
                                         QRegularExpression::MultilineOption)
                          .match(text);
    if (pages.hasMatch() && size.hasMatch()) {
        info.pages = pages.captured(1).toInt();
        info.widthPt = size.captured(1).toDouble();
        info.heightPt = size.captured(2).toDouble();
    }
    return info;
}

// The text of each line of the page as pdftotext lays it out, without the blanks at its end.
// Read as fixed-pitch text of the report font's advance (0.6 em of 8 points, for Courier New
// and Liberation Mono alike), every blank of the layout comes back. Columns count from the
// page's edge; the rule of line 2 starts at the printable area's, which is column 0 here.
QStringList layoutLines(const QString& pdf, QString* error) {
    QString text = QString::fromUtf8(
        runProgram(u"pdftotext"_s, {u"-layout"_s, u"-fixed"_s, u"4.8"_s, pdf, u"-"_s}, error));
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

// The fonts of the document by name, as pdffonts lists them.
QStringList fontNames(const QString& pdf, QString* error) {
    const QStringList rows =
        QString::fromUtf8(runProgram(u"pdffonts"_s, {pdf}, error)).split(u'\n', Qt::SkipEmptyParts);
    QStringList names;
    // Two heading rows, then one font a row with its name first.
    for (qsizetype i = 2; i < rows.size(); ++i) {
        names.append(rows[i].section(u' ', 0, 0, QString::SectionSkipEmpty));
    }
    return names;
}

// The texts drawn in a bold face, one per run of text pdftohtml finds, in page order.
QStringList boldTexts(const QString& pdf, QString* error) {
    const QByteArray xml = runProgram(
        u"pdftohtml"_s, {u"-xml"_s, u"-i"_s, u"-stdout"_s, u"-q"_s, u"-nodrm"_s, pdf}, error);
    QStringList bold;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"text"_s) {
            QString inner;
            bool isBold = false;
            while (!(reader.readNext() == QXmlStreamReader::EndElement &&
                     reader.name() == u"text"_s) &&
                   !reader.atEnd()) {
                if (reader.isStartElement() && reader.name() == u"b"_s) {
                    isBold = true;
                }
                if (reader.isCharacters()) {
                    inner += reader.text();
                }
            }
            if (isBold) {
                bold.append(inner.trimmed());
            }
        }
    }
    return bold;
}

bool havePoppler() {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdffonts", "pdftohtml"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            return false;
        }
    }
    return true;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> folder;
    // The documents the window's print command produced, one PDF file per job.
    QStringList jobs;

    // The window prints into PDF files of the folder through the shared painting code.
    bool openWindow() {
        h->clock = [] { return reportMoment(); };
        h->printer = [this] {
            jobs.append(folder->filePath(u"trabalho-%1.pdf"_s.arg(jobs.size() + 1)));
            return ui::pdfFilePrinter(jobs.last());
        };
        return h->open();
    }

    // The report lines of the window's record as the print command composes them.
    std::vector<report::ReportLine> expectedLines(const QString& river) {
        return report::composeReportLines(h->window().record(), river.toStdString(), "Vila Rica",
                                          kReportMomentText, {});
    }

private Q_SLOTS:
    void initTestCase() {
        if (!havePoppler()) {
            QSKIP("poppler-utils (pdfinfo, pdftotext, pdffonts, pdftohtml) are not installed");
        }
    }
    void init() {
        h = std::make_unique<WindowHarness>();
        folder = std::make_unique<QTemporaryDir>();
        jobs.clear();
    }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        folder.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    // One landscape page carrying the 47 lines exactly as the exported file does; a second
    // press prints the same again and the record stays as it was.
    void printedPageIsTheReport() {
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Ribeirão Açu"_s);
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        const std::vector<report::ReportLine> expected = expectedLines(u"Ribeirão Açu"_s);

        h->button("cmdImprimir")->click();
        h->button("cmdImprimir")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(lineTexts(expectedLines(u"Ribeirão Açu"_s)), lineTexts(expected));

        // The file's text, blanks at the end of a line aside: pdftotext drops those.
        QStringList text =
            reportTextLines(QByteArray::fromStdString(report::reportFileBytes(expected)));
        for (QString& line : text) {
            while (line.endsWith(u' ')) {
                line.chop(1);
            }
        }
        for (const QString& job : std::as_const(jobs)) {
            QString error;
            const DocumentInfo info = documentInfo(job, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(info.pages, 1);
            QVERIFY2(info.widthPt > info.heightPt, "the page is not landscape");
            const QStringList printed = layoutLines(job, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(printed.size(), 47);
            for (int i = 0; i < 47; ++i) {
                QVERIFY2(printed[i] == text[i],
                         qPrintable(u"line %1:\n%2\n%3"_s.arg(i + 1).arg(printed[i], text[i])));
            }
        }
    }

    // A regular and a bold monospaced face, and the bold one carries exactly line 21.
    void onlyLine21IsBold() {
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Rio Doce"_s);
        h->button("cmdImprimir")->click();
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        QCOMPARE(jobs.size(), 1);

        QString error;
        const QStringList fonts = fontNames(jobs[0], &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(fonts.size(), 2);
        const QString family = ui::reportFont(false).family().remove(u' ');
        QVERIFY2(fonts.filter(family).size() == 2, qPrintable(fonts.join(u", "_s)));
        QVERIFY2(fonts.filter(u"Bold"_s).size() == 1, qPrintable(fonts.join(u", "_s)));

        const QStringList bold = boldTexts(jobs[0], &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(bold.join(u' ').simplified(), u"Hidrograma de cheias para TR= 100 anos"_s);
    }

    // Nothing to print on, or a job the printer does not take: a warning, and the window, the
    // record and the commands stay as they were.
    void failedPrintShowsAWarning_data() {
        QTest::addColumn<bool>("printerInstalled");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no printer installed")
            << false << "Não há impressora instalada: o relatório não foi impresso.";
        QTest::newRow("job not taken") << true << "O relatório não foi impresso na impressora";
    }
    void failedPrintShowsAWarning() {
        QFETCH(bool, printerInstalled);
        QFETCH(QString, expected);
        h->clock = [] { return reportMoment(); };
        int asked = 0;
        h->printer = [&, this]() -> std::unique_ptr<QPrinter> {
            ++asked;
            // A PDF "printer" whose folder does not exist cannot start its document.
            return printerInstalled
                       ? ui::pdfFilePrinter(folder->filePath(u"não existe/trabalho.pdf"_s))
                       : nullptr;
        };
        QVERIFY(h->open());
        runWorkedExample(*h, u"Rio Doce"_s);
        if (printerInstalled) {
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        }
        const QStringList record = lineTexts(expectedLines(u"Rio Doce"_s));
        const QString flow = h->cell(15, 1);

        h->button("cmdImprimir")->click();
        QCOMPARE(asked, 1);
        const auto messages = h->dialogs().takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].text.startsWith(expected), qPrintable(messages[0].text));
        QCOMPARE(messages[0].title, u"Aviso!"_s);
        QCOMPARE(messages[0].icon, ui::MessageIcon::Exclamation);
        QCOMPARE(lineTexts(expectedLines(u"Rio Doce"_s)), record);
        QCOMPARE(h->cell(15, 1), flow);
        QVERIFY(h->button("cmdImprimir")->isEnabled());
        QVERIFY(h->button("cmdExportar")->isEnabled());
        QVERIFY(folderEntriesEmpty());
    }

private:
    bool folderEntriesEmpty() const {
        return QDir(folder->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
