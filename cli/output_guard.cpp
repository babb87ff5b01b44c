#include "cli/output_guard.h"

#include "cli/system.h"
#include "util/path_text.h"
#include "util/text.h"

namespace cli {

std::optional<util::Failure> outputOverInput(const std::string& option,
                                             const std::filesystem::path& output,
                                             const std::vector<ReadFile>& inputs) {
    for (const ReadFile& input : inputs) {
        if (system::sameFile(output, input.path)) {
            return util::Failure{util::Failure::Kind::InvalidInput,
                                 option + " é " + input.what + " lido, " + "\"" +
                                     util::visible(util::utf8FromPath(input.path)) + "\"" +
                                     "; dê outro nome ao arquivo de saída."};
        }
    }
    return std::nullopt;
}

} // namespace cli
