#include "cli/command_output.h"

#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "util/file_replacement.h"
#include "util/path_text.h"

namespace cli {

int standardOutputFailure(std::ostream& err) {
    err << "zeb-calc: não foi possível escrever na saída padrão.\n";
    return kExitOutputFailed;
}

int usageFailure(std::ostream& err, const std::string& message) {
    err << "zeb-calc: " << message << "\n\n"
        << usageSynopsis() << "Use zeb-calc --help para a ajuda completa.\n";
    return kExitUsage;
}

int failure(std::ostream& err, const util::Failure& failure) {
    const int exitCode = exitCodeOf(failure);
    if (exitCode == kExitUsage) {
        return usageFailure(err, failure.message);
    }
    err << "zeb-calc: " << failure.message << "\n";
    return exitCode;
}

int writeToStandardOutput(std::ostream& out, std::ostream& err, const std::string& bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return out ? kExitSuccess : standardOutputFailure(err);
}

int writeResult(const std::optional<std::string>& outputPath, const std::string& bytes,
                std::ostream& out, std::ostream& err) {
    if (outputPath) {
        if (const auto error = util::writeFileAtomically(util::pathFromUtf8(*outputPath), bytes)) {
            return failure(err, *error);
        }
        return kExitSuccess;
    }
    return writeToStandardOutput(out, err, bytes);
}

} // namespace cli
