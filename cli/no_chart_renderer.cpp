#include "cli/chart_output.h"

namespace cli {

// Built without the windows: no chart formats.
ChartRenderer programChartRenderer() {
    return {};
}

} // namespace cli
