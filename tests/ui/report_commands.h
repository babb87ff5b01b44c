#pragma once

#include "window_harness.h"

#include "report/report_lines.h"

#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// What the export and print tests share: the worked example entered into the window, the same
// run through zeb-calc, and the poppler tools that read a PDF back.

// The fixed moment the window's clock gives in these tests, and its text on line 1.
QDateTime reportMoment();
inline constexpr const char* kReportMomentText = "2024-03-07 09:05:01";

// Enters the worked example as a user does (station "Vila Rica", CN 75, area 50, length 10,
// drop 100, "1 h", TR 100, "Automática"), the river text, and presses "&Calcular".
void runWorkedExample(WindowHarness& h, const QString& river);

// Replaces the river field's text as typed input.
void enterRiver(WindowHarness& h, const QString& river);

// zeb-calc's report of the same inputs with the river and station texts, the fixed moment
// and a locale's separators ("C", "pt_BR"); empty with the reason in error on failure.
QByteArray commandLineReport(const QString& river, const QString& station, const QString& locale,
                             QString* error);

// Runs a program to its end; its standard output, or empty with the reason in error.
QByteArray runProgram(const QString& program, const QStringList& arguments, QString* error);

// The texts of composed report lines, a bold one marked with a leading "*".
QStringList lineTexts(const std::vector<report::ReportLine>& lines);

// The report's lines as text (UTF-8 from Windows-1252, without CR LF).
QStringList reportTextLines(const QByteArray& fileBytes);
