#include "cli/exit_codes.h"

namespace cli {

int exitCodeOf(const util::Failure& failure) {
    switch (failure.kind) {
    case util::Failure::Kind::InvalidInput:
        return kExitUsage;
    case util::Failure::Kind::NotComputable:
        return kExitUndefined;
    case util::Failure::Kind::Database:
        return kExitDatabase;
    case util::Failure::Kind::Output:
        break;
    }
    return kExitOutputFailed;
}

} // namespace cli
