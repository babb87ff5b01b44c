#include "calc/error_text.h"

#include <string>

namespace calc {

util::Failure cannotCalculate(std::string_view reason) {
    return util::Failure{util::Failure::Kind::NotComputable,
                         "Não é possível calcular: " + std::string(reason)};
}

} // namespace calc
