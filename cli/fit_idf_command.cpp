#include "cli/fit_idf_command.h"

#include "cli/command_output.h"
#include "cli/exit_codes.h"
#include "cli/output_guard.h"
#include "cli/single_run.h"
#include "rainfit/rain_analysis.h"
#include "rainfit/refusal.h"
#include "report/rain_analysis_table.h"
#include "report/rain_analysis_text.h"
#include "util/path_text.h"
#include "util/text.h"
#include "util/whole_file.h"

namespace cli {

namespace {

// The analysis of the request's files, or why there is none.
util::Result<rainfit::RainAnalysis> analyse(const FitIdfRequest& request) {
    rainfit::AnalysisOptions options{request.years, rainfit::cetesbRatios()};
    if (request.ratiosPath) {
        const std::string named = "a tabela de razões " + util::inQuotes(*request.ratiosPath);
        auto bytes = util::readWholeFile(util::pathFromUtf8(*request.ratiosPath), named,
                                         rainfit::kMaxSeriesBytes);
        if (!bytes) {
            return bytes.failure();
        }
        auto ratios = rainfit::readDurationRatios(*bytes);
        if (!ratios) {
            return rainfit::refused(named + ", " + ratios.failure().message + ".");
        }
        options.ratios = *ratios;
    }
    const std::string named = "a série " + util::inQuotes(request.seriesPath);
    auto bytes = util::readWholeFile(util::pathFromUtf8(request.seriesPath), named,
                                     rainfit::kMaxSeriesBytes);
    if (!bytes) {
        return bytes.failure();
    }
    auto analysis = rainfit::analyseDailyRainfall(*bytes, options);
    if (!analysis) {
        return rainfit::refused(named + ", " + analysis.failure().message + ".");
    }
    return std::move(*analysis);
}

} // namespace

int runFitIdf(const FitIdfRequest& request, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err) {
    const auto style = commandNumberStyle(request.localeName, environment);
    if (!style) {
        return failure(err, style.failure());
    }
    if (request.outputPath) {
        std::vector<ReadFile> inputs = {
            {util::pathFromUtf8(request.seriesPath), "o próprio arquivo da série"}};
        if (request.ratiosPath) {
            inputs.push_back(
                {util::pathFromUtf8(*request.ratiosPath), "o próprio arquivo de razões"});
        }
        if (const auto refusal =
                outputOverInput("--output", util::pathFromUtf8(*request.outputPath), inputs)) {
            return failure(err, *refusal);
        }
    }
    const auto analysed = analyse(request);
    if (!analysed) {
        return failure(err, analysed.failure());
    }
    const rainfit::RainAnalysis& analysis = *analysed;
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
        bytes = report::rainAnalysisText(analysis, request.years, *style);
    }
    return writeResult(request.outputPath, bytes, out, err);
}

} // namespace cli
