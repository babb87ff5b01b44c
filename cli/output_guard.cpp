#include "cli/output_guard.h"

#include "util/text.h"

#include <sys/stat.h>

namespace cli {

std::optional<util::Failure> outputOverInput(const std::string& option,
                                             const std::filesystem::path& output,
                                             const std::vector<ReadFile>& inputs) {
    struct stat written {};
    if (::stat(output.c_str(), &written) != 0) {
        return std::nullopt; // a new file is none of the inputs
    }
    for (const ReadFile& input : inputs) {
        struct stat read {};
        if (::stat(input.path.c_str(), &read) == 0 && read.st_dev == written.st_dev &&
            read.st_ino == written.st_ino) {
            return util::Failure{util::Failure::Kind::InvalidInput,
                                 option + " é " + input.what + " lido, " + "\"" +
                                     util::visible(input.path.string()) + "\"" +
                                     "; dê outro nome ao arquivo de saída."};
        }
    }
    return std::nullopt;
}

} // namespace cli
