#include "cli/command.h"

#include "cli/batch.h"
#include "cli/command_output.h"
#include "cli/database_commands.h"
#include "cli/exit_codes.h"
#include "cli/fit_idf_command.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/single_run.h"
#include "refdata/open_database.h"
#include "report/study_file.h"
#include "util/path_text.h"

#include <cstdlib>
#include <variant>

namespace cli {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

int finishWith(const util::Result<std::string>& outcome, std::ostream& out, std::ostream& err) {
    if (!outcome) {
        return failure(err, outcome.failure());
    }
    return writeToStandardOutput(out, err, *outcome);
}

} // namespace

ProcessEnvironment readProcessEnvironment() {
    ProcessEnvironment environment;
    environment.lcAll = environmentValue("LC_ALL");
    environment.lcNumeric = environmentValue("LC_NUMERIC");
    environment.lang = environmentValue("LANG");
    if (const char* timestamp = std::getenv("ZEB_REPORT_TIMESTAMP")) {
        environment.reportTimestamp = timestamp;
    }
    environment.programFolder = refdata::runningProgramFolder();
    return environment;
}

int runZebCalc(const std::vector<std::string>& arguments, const ProcessEnvironment& environment,
               std::ostream& out, std::ostream& err, const ChartRenderer& renderChart) {
    const ParseResult parsed = parseArguments(arguments, [](const std::string& path) {
        return report::loadStudyFile(util::pathFromUtf8(path));
    });
    if (std::holds_alternative<HelpRequest>(parsed)) {
        out << helpText() << std::flush;
        return out ? kExitSuccess : standardOutputFailure(err);
    }
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return usageFailure(err, error->message);
    }
    if (const auto* list = std::get_if<ListRequest>(&parsed)) {
        return finishWith(listReferenceData(*list, environment.programFolder), out, err);
    }
    if (const auto* build = std::get_if<BuildDatabaseRequest>(&parsed)) {
        return finishWith(buildReferenceDatabase(*build), out, err);
    }
    if (const auto* batch = std::get_if<BatchRequest>(&parsed)) {
        const auto ran = runBatchCommand(*batch, environment.programFolder, out);
        if (!ran) {
            return failure(err, ran.failure());
        }
        return ran->rowsFailed ? kExitUndefined : kExitSuccess;
    }
    if (const auto* fit = std::get_if<FitIdfRequest>(&parsed)) {
        return runFitIdf(*fit, environment, out, err);
    }
    return runSingle(std::get<CommandOptions>(parsed), environment, out, err, renderChart);
}

} // namespace cli
