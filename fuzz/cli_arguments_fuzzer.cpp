// zeb-calc's command line: the input is split at NUL bytes into arguments. The parse is a
// pure function that never throws; whatever it accepts is a consistent set of options; and the
// whole command over those options ends with a documented exit status, writing its result
// whole or not at all.
#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "fuzz/fuzz_check.h"
#include "report/report_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace {

std::vector<std::string> splitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    if (size == 0) {
        return arguments;
    }
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    arguments.push_back(current);
    return arguments;
}

void checkOptions(const cli::CommandOptions& options) {
    FUZZ_CHECK(options.durationIndex >= 0 && options.durationIndex <= 12,
               "the duration is a position of the list");
    for (const double value :
         {options.curveNumber, options.drainageAreaKm2, options.returnPeriodYears}) {
        FUZZ_CHECK(std::isfinite(value), "every accepted number is finite");
    }
    const bool lengthAndDrop = options.channelLengthKm && options.elevationDropM;
    FUZZ_CHECK(lengthAndDrop != options.concentrationTimeH.has_value(),
               "either the length and drop or tc, never both or neither");
    FUZZ_CHECK(options.channelLengthKm.has_value() == options.elevationDropM.has_value(),
               "the length and the drop come together");
    for (const auto& value :
         {options.channelLengthKm, options.elevationDropM, options.concentrationTimeH}) {
        FUZZ_CHECK(!value || std::isfinite(*value), "every accepted number is finite");
    }
    for (const double value : options.stationConstants) {
        FUZZ_CHECK(std::isfinite(value), "every accepted constant is finite");
    }
    for (const double value : options.ownConstants) {
        FUZZ_CHECK(std::isfinite(value), "every accepted constant is finite");
    }
    FUZZ_CHECK(!options.outputPath || !options.outputPath->empty(), "an output file has a name");
}

void checkReportBytes(const std::string& bytes) {
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos, "every report line ends with CR LF");
        const std::string_view line(bytes.data() + start, end - start);
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos,
                   "no line break inside a report line");
        ++lines;
        start = end + 2;
    }
    FUZZ_CHECK(lines == report::kReportLineCount, "the report has its 47 lines");
}

// Runs the command where it stays inside this process and its text formats: no file written,
// no database read, no chart drawn.
bool runsInProcess(const cli::CommandOptions& options) {
    const bool textFormat = options.format == cli::OutputFormat::Report ||
                            options.format == cli::OutputFormat::Json ||
                            options.format == cli::OutputFormat::Csv;
    return textFormat && !options.outputPath && !options.databasePath &&
           (options.constantsSource == cli::ConstantsSource::StationConstants ||
            options.constantsSource == cli::ConstantsSource::Own);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> arguments = splitArguments(data, size);
    const cli::ParseResult parsed = cli::parseArguments(arguments);
    if (const auto* error = std::get_if<cli::UsageError>(&parsed)) {
        FUZZ_CHECK(!error->message.empty(), "a usage error says what is wrong");
    }
    if (const auto* list = std::get_if<cli::ListRequest>(&parsed)) {
        FUZZ_CHECK(!list->zone || (list->kind == cli::ListKind::LandClasses &&
                                   (*list->zone == "Rural" || *list->zone == "Urbana")),
                   "a zone only for land classes, and one of the two");
        return 0; // reads a database: the command's own tests run it
    }
    if (const auto* build = std::get_if<cli::BuildDatabaseRequest>(&parsed)) {
        FUZZ_CHECK(!build->outputPath.empty(), "a database is built into a named file");
        FUZZ_CHECK(build->accessPath.has_value() ==
                       (build->stationsCsv.empty() && build->curveNumbersCsv.empty()),
                   "from an Access file or from the two CSV files, never both");
        return 0; // writes a file: the command's own tests run it
    }
    const auto* options = std::get_if<cli::CommandOptions>(&parsed);
    if (options) {
        checkOptions(*options);
        if (!runsInProcess(*options)) {
            return 0;
        }
    } else if (!std::holds_alternative<cli::UsageError>(parsed)) {
        return 0; // help: its text is checked by the command's own tests
    }

    cli::ProcessEnvironment environment;
    environment.lang = "C";
    environment.reportTimestamp = "2024-01-02 03:04:05";
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runZebCalc(arguments, environment, out, err);
    if (!options) {
        FUZZ_CHECK(status == cli::kExitUsage, "a refused command line exits 2");
    }
    FUZZ_CHECK(status == cli::kExitSuccess || status == cli::kExitUsage ||
                   status == cli::kExitUndefined,
               "a run in memory ends in success, usage error or undefined calculation");
    if (status != cli::kExitSuccess) {
        FUZZ_CHECK(out.str().empty(), "nothing reaches standard output unless the whole result");
        FUZZ_CHECK(err.str().rfind("zeb-calc: ", 0) == 0, "a failure says why on stderr");
        return 0;
    }
    const std::string result = out.str();
    switch (options->format) {
    case cli::OutputFormat::Report:
        checkReportBytes(result);
        break;
    case cli::OutputFormat::Json:
        FUZZ_CHECK(result.rfind("{", 0) == 0 && result.find("\"record\"") != std::string::npos,
                   "JSON output is the record object");
        break;
    case cli::OutputFormat::Csv:
        FUZZ_CHECK(std::count(result.begin(), result.end(), '\n') == 16,
                   "CSV output is a header and 15 rows");
        break;
    default:
        break; // the chart formats are drawn by Qt in the program only: not run here
    }
    return 0;
}
