#include "calc/record_fields.h"

namespace calc {

Series asSeries(const Ordinates& ordinates) {
    Series series;
    for (int k = 0; k <= kSteps; ++k) {
        if (ordinates[k]) {
            series[k] = static_cast<double>(*ordinates[k]);
        }
    }
    return series;
}

} // namespace calc
