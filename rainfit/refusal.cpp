#include "rainfit/refusal.h"

namespace rainfit {

Refusal refusalAtLine(std::size_t line, std::string_view what) {
    return Refusal{"linha " + std::to_string(line) + ": " + std::string(what)};
}

} // namespace rainfit
