#include "cli/fit_idf_command.h"

#include "cli/command_output.h"
#include "cli/exit_codes.h"
#include "cli/output_guard.h"
#include "cli/single_run.h"
#include "rainfit/rain_analysis.h"
#include "report/rain_analysis_table.h"
#include "report/rain_analysis_text.h"
#include "util/text.h"
#include "util/whole_file.h"

namespace cli {

namespace {

// The whole of a file the command reads; `named` says what it is ("a série \"x.csv\"").
std::variant<std::string, CommandFailure> readInput(const std::string& path,
                                                    const std::string& named) {
    std::string bytes;
    if (auto failure = util::readWholeFile(path, named, rainfit::kMaxSeriesBytes, bytes)) {
        return CommandFailure{kExitUsage, std::move(*failure)};
    }
    return bytes;
}

// The analysis of the request's files, or why there is none.
std::variant<rainfit::RainAnalysis, CommandFailure> analyse(const FitIdfRequest& request) {
    rainfit::AnalysisOptions options{request.years, rainfit::cetesbRatios()};
    if (request.ratiosPath) {
        const std::string named = "a tabela de razões " + util::inQuotes(*request.ratiosPath);
        auto bytes = readInput(*request.ratiosPath, named);
        if (const auto* stop = std::get_if<CommandFailure>(&bytes)) {
            return *stop;
        }
        auto ratios = rainfit::readDurationRatios(std::get<std::string>(bytes));
        if (const auto* refusal = std::get_if<rainfit::Refusal>(&ratios)) {
            return CommandFailure{kExitUsage, named + ", " + refusal->message + "."};
        }
        options.ratios = std::get<rainfit::DurationRatios>(ratios);
    }
    const std::string named = "a série " + util::inQuotes(request.seriesPath);
    auto bytes = readInput(request.seriesPath, named);
    if (const auto* stop = std::get_if<CommandFailure>(&bytes)) {
        return *stop;
    }
    auto analysis = rainfit::analyseDailyRainfall(std::get<std::string>(bytes), options);
    if (const auto* refusal = std::get_if<rainfit::Refusal>(&analysis)) {
        return CommandFailure{kExitUsage, named + ", " + refusal->message + "."};
    }
    return std::get<rainfit::RainAnalysis>(std::move(analysis));
}

} // namespace

int runFitIdf(const FitIdfRequest& request, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err) {
    const auto style = commandNumberStyle(request.localeName, environment);
    if (const auto* refusal = std::get_if<std::string>(&style)) {
        return usageFailure(err, *refusal);
    }
    if (request.outputPath) {
        std::vector<ReadFile> inputs = {{request.seriesPath, "o próprio arquivo da série"}};
        if (request.ratiosPath) {
            inputs.push_back({*request.ratiosPath, "o próprio arquivo de razões"});
        }
        if (const auto refusal = outputOverInput("--output", *request.outputPath, inputs)) {
            return failure(err, *refusal);
        }
    }
    const auto analysed = analyse(request);
    if (const auto* stop = std::get_if<CommandFailure>(&analysed)) {
        return failure(err, *stop);
    }
    const auto& analysis = std::get<rainfit::RainAnalysis>(analysed);
    if (analysis.gumbel.rejected()) {
        err << "zeb-calc: aviso: o teste de Kolmogorov-Smirnov rejeita a 5 % o ajuste de Gumbel "
               "aos máximos anuais; a equação merece reserva.\n";
    }
    std::string bytes;
    if (request.format == OutputFormat::Json) {
        bytes = report::rainAnalysisJson(analysis);
    } else if (request.format == OutputFormat::Csv) {
        bytes = report::rainAnalysisPointsCsv(analysis);
    } else {
        bytes =
            report::rainAnalysisText(analysis, request.years, std::get<report::NumberStyle>(style));
    }
    return writeResult(request.outputPath, bytes, out, err);
}

} // namespace cli
