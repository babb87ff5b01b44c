// The export command: the save dialog it asks, the file it writes (the same bytes as zeb-calc),
// and a failed write that leaves any existing file as it was.

#include "report_commands.h"

#include "report/report_lines.h"
#include "ui/number_style_source.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Where the read-only case runs when the test is root: a child of this program as another user.
const char* const kReadOnlyFolderVariable = "ZEB_TEST_READ_ONLY_FOLDER";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList folderEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> folder;

    bool openWindow(const QLocale& locale = englishUS()) {
        h->clock = [] { return reportMoment(); };
        return h->open(locale);
    }

    // The report of the record as it stands, to see that exporting leaves it unchanged.
    std::vector<report::ReportLine> recordReport() {
        return report::composeReportLines(h->window().record(), "", "", "", {});
    }

    // Presses "&Exportar" and answers the save dialog with the path.
    void exportTo(const QString& path) {
        h->dialogs().saveAnswers.push_back(path);
        h->button("cmdExportar")->click();
    }

    // The one box the last command showed.
    ScriptedDialogs::Message onlyMessage() {
        const auto messages = h->dialogs().takeMessages();
        return messages.size() == 1 ? messages.first()
                                    : ScriptedDialogs::Message{u"%1 boxes"_s.arg(messages.size()),
                                                               {},
                                                               ui::MessageIcon::None};
    }

    // The warning of a write that failed: its title, icon and the path with a reason.
    void expectWriteWarning(const QString& path) {
        const ScriptedDialogs::Message message = onlyMessage();
        QCOMPARE(message.title, u"Aviso!"_s);
        QCOMPARE(message.icon, ui::MessageIcon::Exclamation);
        const QString start = u"Não foi possível gravar o arquivo "_s + path + u": "_s;
        QVERIFY2(message.text.startsWith(start) && message.text.size() > start.size() + 3,
                 qPrintable(message.text));
    }

private Q_SLOTS:
    void init() {
        h = std::make_unique<WindowHarness>();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
    }
    void cleanup() {
        const QString left = h->unexpectedBoxes();
        h.reset();
        folder.reset();
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    // The dialog as configured, the bytes as zeb-calc writes them, the confirmation; the texts
    // are those of the window at the moment of the command, and a second export is the same.
    void exportWritesTheCommandLineReport_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cliLocale");
        QTest::addColumn<QString>("riverAtRun");
        QTest::addColumn<QString>("river");
        QTest::addColumn<QString>("station");
        QTest::newRow("en_US") << englishUS() << "C"
                               << "Rio das Velhas"
                               << "Rio das Velhas"
                               << "Vila Rica";
        QTest::newRow("pt_BR") << portugueseBR() << "pt_BR"
                               << "Ribeirão Açu"
                               << "Ribeirão Açu"
                               << "Vila Rica";
        // Changed after the run: the river (with a letter Windows-1252 lacks) and the station.
        QTest::newRow("texts changed after the run") << englishUS() << "C"
                                                     << "Rio Doce"
                                                     << "Rio Ωmega (trecho 2)"
                                                     << "Olho d'Água";
    }
    void exportWritesTheCommandLineReport() {
        QFETCH(QLocale, locale);
        QFETCH(QString, cliLocale);
        QFETCH(QString, riverAtRun);
        QFETCH(QString, river);
        QFETCH(QString, station);
        QString error;
        const QByteArray expected = commandLineReport(river, station, cliLocale, &error);
        if (expected.isEmpty()) {
            QSKIP(qPrintable(error));
        }

        QVERIFY(openWindow(locale));
        runWorkedExample(*h, riverAtRun);
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        if (river != riverAtRun) {
            enterRiver(*h, river);
        }
        if (station != h->list("cboPosto")->currentText()) {
            h->pick(h->list("cboPosto"), station);
        }
        const QStringList before = lineTexts(recordReport());

        const QString path = folder->filePath(u"relatório.txt"_s);
        for (int round = 0; round < 2; ++round) {
            exportTo(path);
            const ui::SaveFileRequest request = h->dialogs().saveRequests.takeFirst();
            QCOMPARE(request.title, u"Exportar Arquivo"_s);
            QCOMPARE(request.nameFilters,
                     QStringList({u"All Files (*.*)"_s, u"Text Files(*.txt)"_s}));
            QCOMPARE(request.selectedFilter, 1);
            QCOMPARE(request.proposedName, river);
            QVERIFY(request.confirmOverwrite);
            QVERIFY(!request.readOnlyOption);
            QVERIFY(request.defaultSuffix.isEmpty());

            const ScriptedDialogs::Message message = onlyMessage();
            QCOMPARE(message.text, u"Arquivo "_s + path + u" exportado com êxito"_s);
            QCOMPARE(message.title, u"ZEB"_s);
            QCOMPARE(message.icon, ui::MessageIcon::None);
            QCOMPARE(readAll(path), expected);
        }
        QCOMPARE(folderEntries(folder->path()), QStringList{u"relatório.txt"_s});
        QCOMPARE(lineTexts(recordReport()), before);
        const QStringList lines = reportTextLines(expected);
        QCOMPARE(lines.size(), 47);
        QCOMPARE(lines[0].right(19), QString::fromLatin1(kReportMomentText));
    }

    void cancelWritesNothing() {
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Rio Doce"_s);
        const QString existing = folder->filePath(u"Rio Doce"_s);
        QVERIFY(writeAll(existing, "antigo\r\n"));
        h->dialogs().saveAnswers.push_back(QString());
        h->button("cmdExportar")->click();
        QCOMPARE(h->dialogs().saveRequests.size(), 1);
        QVERIFY(h->dialogs().takeMessages().isEmpty());
        QCOMPARE(folderEntries(folder->path()), QStringList{u"Rio Doce"_s});
        QCOMPARE(readAll(existing), QByteArray("antigo\r\n"));
    }

    void emptyRiverProposesNoName() {
        QVERIFY(openWindow());
        runWorkedExample(*h, QString());
        h->dialogs().saveAnswers.push_back(QString());
        h->button("cmdExportar")->click();
        QCOMPARE(h->dialogs().saveRequests.size(), 1);
        QVERIFY(h->dialogs().saveRequests.first().proposedName.isEmpty());
    }

    // A longer file of that name is replaced whole: nothing of its tail stays behind.
    void overwriteReplacesTheWholeFile() {
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Rio Doce"_s);
        const QString fresh = folder->filePath(u"novo.txt"_s);
        exportTo(fresh);
        QCOMPARE(onlyMessage().title, u"ZEB"_s);
        const QString path = folder->filePath(u"Rio Doce.txt"_s);
        QVERIFY(writeAll(path, QByteArray(100000, 'x')));
        exportTo(path);
        QCOMPARE(onlyMessage().title, u"ZEB"_s);
        QCOMPARE(readAll(path), readAll(fresh));
        QCOMPARE(folderEntries(folder->path()), QStringList({u"Rio Doce.txt"_s, u"novo.txt"_s}));
    }

    // The file cannot be written there: a warning with the reason, no success message, the old
    // file and the folder as they were.
    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "não existe/relatório.txt";
        QTest::newRow("path of a folder") << "pasta";
    }
    void failedWriteKeepsTheOldFile() {
        QFETCH(QString, target);
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Rio Doce"_s);
        const QString old = folder->filePath(u"antigo.txt"_s);
        QVERIFY(writeAll(old, "antigo\r\n"));
        QVERIFY(QDir(folder->path()).mkdir(u"pasta"_s));
        const QStringList entries = folderEntries(folder->path());

        const QString path = folder->filePath(target);
        exportTo(path);
        expectWriteWarning(path);
        QCOMPARE(folderEntries(folder->path()), entries);
        QVERIFY(folderEntries(folder->filePath(u"pasta"_s)).isEmpty());
        QCOMPARE(readAll(old), QByteArray("antigo\r\n"));
    }

    // A folder the user may not write to. Root writes anywhere, so as root the case runs in a
    // child of this program under another user's identity.
    void readOnlyFolderKeepsTheOldFile() {
        const QByteArray given = qgetenv(kReadOnlyFolderVariable);
        if (given.isEmpty() && ::geteuid() == 0) {
            runReadOnlyCaseAsAnotherUser();
            return;
        }
        QString readOnly = QString::fromLocal8Bit(given);
        if (readOnly.isEmpty()) {
            readOnly = folder->filePath(u"somente leitura"_s);
            QVERIFY(QDir().mkdir(readOnly));
            QVERIFY(writeAll(readOnly + u"/antigo.txt"_s, "antigo\r\n"));
            QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
        }
        QVERIFY(openWindow());
        runWorkedExample(*h, u"Rio Doce"_s);
        const QString path = readOnly + u"/antigo.txt"_s;
        exportTo(path);
        expectWriteWarning(path);
        QCOMPARE(readAll(path), QByteArray("antigo\r\n"));
        QCOMPARE(folderEntries(readOnly), QStringList{u"antigo.txt"_s});
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    void runReadOnlyCaseAsAnotherUser() {
        const QString setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
        if (setpriv.isEmpty()) {
            QSKIP("root writes to any folder and setpriv (util-linux) is missing to drop that");
        }
        // Readable by everyone, writable by root only: a read-only folder for "nobody".
        const QString readOnly = folder->filePath(u"somente leitura"_s);
        QVERIFY(QDir().mkdir(readOnly));
        QVERIFY(writeAll(readOnly + u"/antigo.txt"_s, "antigo\r\n"));
        const auto everyoneReads = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                   QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                   QFile::ExeOther;
        QVERIFY(QFile::setPermissions(folder->path(), everyoneReads));
        QVERIFY(QFile::setPermissions(readOnly, everyoneReads));
        QVERIFY(QFile::setPermissions(readOnly + u"/antigo.txt"_s,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kReadOnlyFolderVariable), readOnly);
        // The child may not read root's home; fontconfig and Qt keep their caches elsewhere.
        environment.insert(u"HOME"_s, QDir::tempPath());
        environment.insert(u"XDG_RUNTIME_DIR"_s, QDir::tempPath());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv,
                    {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s,
                     QCoreApplication::applicationFilePath(), u"readOnlyFolderKeepsTheOldFile"_s});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        QVERIFY2(output.contains("PASS   : ExportTest::readOnlyFolderKeepsTheOldFile"),
                 output.constData());
        QCOMPARE(readAll(readOnly + u"/antigo.txt"_s), QByteArray("antigo\r\n"));
        QCOMPARE(folderEntries(readOnly), QStringList{u"antigo.txt"_s});
    }
};

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
