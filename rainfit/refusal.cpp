#include "rainfit/refusal.h"

namespace rainfit {

util::Failure refused(std::string message) {
    return {util::Failure::Kind::InvalidInput, std::move(message)};
}

util::Failure refusalAtLine(std::size_t line, std::string_view what) {
    return refused("linha " + std::to_string(line) + ": " + std::string(what));
}

} // namespace rainfit
