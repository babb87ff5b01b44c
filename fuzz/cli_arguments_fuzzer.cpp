// zeb-calc's command line, the input split at NUL bytes into arguments: whatever the parse
// accepts or refuses, the whole command over it ends with a documented exit status, its result
// whole on standard output or nothing there.
#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "fuzz/harness.h"

#include <algorithm>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(size > 0 ? 1 : 0);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    const cli::ParseResult parsed = cli::parseArguments(arguments);
    const auto* options = std::get_if<cli::CommandOptions>(&parsed);
    if (options) {
        // Only what stays in this process: text formats, no file, no database.
        if (options->format > cli::OutputFormat::Csv || options->outputPath ||
            options->constantsSource > cli::ConstantsSource::Own) {
            return 0;
        }
    } else if (!std::holds_alternative<cli::UsageError>(parsed)) {
        return 0; // help, lists and database builds: the command's own tests run them
    }
    cli::ProcessEnvironment environment;
    environment.reportTimestamp = "2024-01-02 03:04:05";
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runZebCalc(arguments, environment, out, err);
    FUZZ_CHECK(status == cli::kExitSuccess || status == cli::kExitUsage ||
                   (options && status == cli::kExitUndefined),
               "a refused command line exits 2; a run succeeds, is refused or has no value");
    if (status != cli::kExitSuccess) {
        FUZZ_CHECK(out.str().empty() && err.str().starts_with("zeb-calc: "),
                   "a failure writes nothing to standard output and says why");
        return 0;
    }
    const std::string result = out.str();
    const auto lines = std::count(result.begin(), result.end(), '\n');
    FUZZ_CHECK(options->format != cli::OutputFormat::Report ||
                   (lines >= 47 && std::count(result.begin(), result.end(), '\r') == lines),
               "the report is 47 lines or more, each ended by CR LF");
    FUZZ_CHECK(options->format != cli::OutputFormat::Csv || lines == 16,
               "the CSV is a header and 15 rows");
    FUZZ_CHECK(options->format != cli::OutputFormat::Json || result.starts_with("{\n  \"record\""),
               "the JSON is the record object");
    return 0;
}
