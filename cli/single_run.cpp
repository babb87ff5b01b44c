#include "cli/single_run.h"

#include "calc/durations.h"
#include "calc/limits.h"
#include "calc/run_request.h"
#include "calc/study.h"
#include "cli/command_output.h"
#include "cli/exit_codes.h"
#include "cli/locale_style.h"
#include "cli/output_guard.h"
#include "cli/station_source.h"
#include "cli/system.h"
#include "numbers/number_text.h"
#include "report/record_table.h"
#include "report/report_file.h"
#include "report/report_lines.h"
#include "report/study_table.h"
#include "util/output_file.h"
#include "util/path_text.h"
#include "util/text.h"

#include <array>
#include <ctime>
#include <memory>

namespace cli {

namespace {

// Current local time as "yyyy-MM-dd HH:mm:ss".
std::string localTimestamp() {
    const auto local = system::localTime(std::time(nullptr));
    if (!local) {
        return "0000-00-00 00:00:00";
    }
    std::array<char, 32> text{};
    const std::size_t length =
        std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &*local);
    return std::string(text.data(), length);
}

// "yyyy-MM-dd HH:mm:ss" with a month, day, hour, minute and second in their ranges.
bool isTimestamp(std::string_view text) {
    constexpr std::string_view shape = "0000-00-00 00:00:00";
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0' ? text[i] < '0' || text[i] > '9' : text[i] != shape[i]) {
            return false;
        }
    }
    const auto number = [text](std::size_t at) {
        return (text[at] - '0') * 10 + text[at + 1] - '0';
    };
    return number(5) >= 1 && number(5) <= 12 && number(8) >= 1 && number(8) <= 31 &&
           number(11) <= 23 && number(14) <= 59 && number(17) <= 59;
}

std::optional<chart::FigureFormat> chartFormatOf(OutputFormat format) {
    switch (format) {
    case OutputFormat::Png:
        return chart::FigureFormat::Png;
    case OutputFormat::Svg:
        return chart::FigureFormat::Svg;
    case OutputFormat::Pdf:
        return chart::FigureFormat::Pdf;
    case OutputFormat::Report:
    case OutputFormat::Json:
    case OutputFormat::Csv:
    case OutputFormat::Text:
        break;
    }
    return std::nullopt;
}

// The text formats' bytes.
std::string outputBytes(const CommandOptions& options, const calc::CalculationRecord& record,
                        const std::string& stationText, const report::NumberStyle& style,
                        const ProcessEnvironment& environment) {
    switch (options.format) {
    case OutputFormat::Json:
        return report::recordJson(record);
    case OutputFormat::Csv:
        return report::recordCsv(record, options.csvStyle);
    case OutputFormat::Report:
    case OutputFormat::Png:
    case OutputFormat::Svg:
    case OutputFormat::Pdf:
    case OutputFormat::Text:
        break;
    }
    const std::string timestamp = environment.reportTimestamp.value_or(localTimestamp());
    return report::reportFileBytes(report::composeReportLines(
        record, options.run.mode, options.riverText, stationText, timestamp, style));
}

// A cell's failure as the study reports it: a refused value as it is, a cell that cannot be
// computed named by its duration and return period.
util::Failure inCell(const util::Failure& failure, int duration, double returnPeriod) {
    if (failure.kind != util::Failure::Kind::NotComputable) {
        return failure;
    }
    return {failure.kind, "duração " + std::string(calc::durationLabels[duration]) + ", TR " +
                              util::generalNumberText(returnPeriod) + " anos: " + failure.message};
}

// Every cell of a study, or the first that cannot be computed, named by its duration and
// return period. The rows are written as they are computed; to standard output only once the
// last is, so that a study that stops leaves nothing there, nor in --output.
int runStudy(const CommandOptions& options, const calc::RunRequest& basin, std::ostream& out,
             std::ostream& err) {
    std::unique_ptr<util::OutputFile> file;
    if (options.outputPath) {
        auto opened = util::OutputFile::open(util::pathFromUtf8(*options.outputPath));
        if (!opened) {
            return failure(err, opened.failure());
        }
        file = std::move(*opened);
    }
    std::string text;
    report::StudyTableWriter table(text,
                                   options.format == OutputFormat::Json
                                       ? report::StudyTableWriter::Format::Json
                                       : report::StudyTableWriter::Format::Csv,
                                   options.csvStyle);
    for (const int duration : options.studyDurations) {
        for (const double returnPeriod : options.studyReturnPeriods) {
            const calc::StudyCell cell = calc::computeStudyCell(basin, duration, returnPeriod);
            if (!cell.outcome) {
                return failure(err, inCell(cell.outcome.failure(), duration, returnPeriod));
            }
            table.add(cell);
            if (file) {
                file->stream() << text;
                text.clear();
            }
        }
    }
    table.finish();
    if (!file) {
        return writeToStandardOutput(out, err, text);
    }
    file->stream() << text;
    if (const auto stop = file->commit()) {
        return failure(err, *stop);
    }
    return kExitSuccess;
}

// The single run computed, its notes on the error stream, and its bytes written.
int computeAndWrite(const CommandOptions& options, const calc::RunRequest& request,
                    const std::string& stationText, const report::NumberStyle& style,
                    const ProcessEnvironment& environment, std::ostream& out, std::ostream& err,
                    const ChartRenderer& renderChart) {
    const std::optional<chart::FigureFormat> chartFormat = chartFormatOf(options.format);
    const auto result = calc::runRequest(request);
    if (!result) {
        return failure(err, result.failure());
    }
    const calc::CalculationRecord& record = *result;

    // The fixed 15 steps and 8 ordinates may leave part of the flood outside the results: say
    // so, whatever the format, without changing the exit status.
    for (const std::string& note : calc::limitNotes(record)) {
        err << "zeb-calc: aviso: " << note << "\n";
    }

    std::string bytes;
    if (chartFormat) {
        auto drawn = renderChart(record, options.riverText, style, *chartFormat);
        if (!drawn) {
            return failure(err, drawn.failure());
        }
        bytes = std::move(*drawn);
    } else {
        bytes = outputBytes(options, record, stationText, style, environment);
    }
    return writeResult(options.outputPath, bytes, out, err);
}

// The station chosen from the options (none with the own or an IDF equation), its warning on the
// error stream; the database it was read from joins `readFiles`.
util::Result<std::optional<calc::Station>> runStation(const CommandOptions& options,
                                                      const ProcessEnvironment& environment,
                                                      std::ostream& err,
                                                      std::vector<ReadFile>& readFiles) {
    if (options.constantsSource == ConstantsSource::Own ||
        options.constantsSource == ConstantsSource::Idf) {
        return std::nullopt;
    }
    auto found = chooseStation(options, environment.programFolder);
    if (!found) {
        return found.failure();
    }
    ChosenStation& chosen = *found;
    if (!chosen.warning.empty()) {
        err << "zeb-calc: " << chosen.warning << "\n";
    }
    if (chosen.database) {
        readFiles.push_back({*chosen.database, "o próprio banco de dados"});
    }
    return std::move(chosen.station);
}

} // namespace

util::Result<report::NumberStyle> commandNumberStyle(const std::optional<std::string>& localeName,
                                                     const ProcessEnvironment& environment) {
    if (!localeName) {
        return systemNumberStyle(
            numericLocaleName(environment.lcAll, environment.lcNumeric, environment.lang));
    }
    if (auto style = numberStyleForLocaleName(*localeName)) {
        return *style;
    }
    return util::Failure{util::Failure::Kind::InvalidInput,
                         "localidade desconhecida: " + util::inQuotes(*localeName) +
                             " (use C, POSIX, en_US ou pt_BR)."};
}

int runSingle(const CommandOptions& options, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err, const ChartRenderer& renderChart) {
    if (environment.reportTimestamp && !isTimestamp(*environment.reportTimestamp)) {
        return usageFailure(err, "ZEB_REPORT_TIMESTAMP deve ter a forma \"aaaa-mm-dd hh:mm:ss\", "
                                 "não " +
                                     util::inQuotes(*environment.reportTimestamp) + ".");
    }
    const std::optional<chart::FigureFormat> chartFormat = chartFormatOf(options.format);
    if (chartFormat && !renderChart) {
        return usageFailure(err, "aqui o zeb-calc não desenha o gráfico (png, svg e pdf).");
    }

    const auto style = commandNumberStyle(options.localeName, environment);
    if (!style) {
        return failure(err, style.failure());
    }

    std::vector<ReadFile> readFiles; // what --output may not be
    if (options.inputPath) {
        readFiles.push_back({util::pathFromUtf8(*options.inputPath), "o próprio estudo"});
    }
    auto station = runStation(options, environment, err, readFiles);
    if (!station) {
        return failure(err, station.failure());
    }
    if (options.outputPath) {
        if (const auto refusal =
                outputOverInput("--output", util::pathFromUtf8(*options.outputPath), readFiles)) {
            return failure(err, *refusal);
        }
    }

    const std::optional<calc::Station>& chosen = *station;
    calc::RunRequest request = options.run;
    if (chosen) {
        calc::takeStationRainfall(request, chosen->rainfall);
    }
    if (options.study) {
        return runStudy(options, request, out, err);
    }
    // The report names the station given with --station-text, or else the one chosen.
    const std::string stationText = options.stationText.value_or(chosen ? chosen->name : "");
    return computeAndWrite(options, request, stationText, *style, environment, out, err,
                           renderChart);
}

} // namespace cli
