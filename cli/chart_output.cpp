#include "cli/chart_output.h"

#include "cli/system.h"
#include "util/path_text.h"

#include <system_error>
#include <vector>

namespace cli {

namespace {

// Beside the program (the build tree), then where it is installed.
std::vector<std::filesystem::path>
moduleCandidates(const std::optional<std::filesystem::path>& programFolder) {
    if (!programFolder) {
        return {};
    }
    return {*programFolder / ZEB_CHART_MODULE_FILE_NAME,
            (*programFolder / ZEB_CHART_MODULE_FROM_BINDIR / ZEB_CHART_MODULE_FILE_NAME)
                .lexically_normal()};
}

util::Failure moduleFailure(std::string message) {
    return util::Failure{util::Failure::Kind::Output, std::move(message)};
}

// The module's drawing function, or why there is none. Loaded once; never unloaded, since
// Qt keeps state for the life of the process.
util::Result<chart::DrawChartFunction>
loadModule(const std::optional<std::filesystem::path>& programFolder) {
    std::string tried;
    for (const std::filesystem::path& candidate : moduleCandidates(programFolder)) {
        std::error_code error;
        if (!std::filesystem::exists(candidate, error)) {
            tried += (tried.empty() ? "" : ", ") + util::utf8FromPath(candidate);
            continue;
        }
        const std::string name = util::utf8FromPath(candidate);
        const auto function = system::moduleFunction(candidate, chart::kChartModuleEntryName);
        if (!function) {
            return moduleFailure("o módulo de gráficos " + name +
                                 " não pôde ser carregado: " + function.failure().message + ".");
        }
        auto entry = reinterpret_cast<chart::ChartModuleEntry>(*function);
        chart::DrawChartFunction draw = nullptr;
        if (entry != nullptr) {
            entry(&draw);
        }
        if (draw == nullptr) {
            return moduleFailure("o módulo de gráficos " + name +
                                 " não é desta versão do zeb-calc.");
        }
        return draw;
    }
    return moduleFailure("este zeb-calc não tem o módulo de gráficos (" +
                         std::string(ZEB_CHART_MODULE_FILE_NAME) +
                         "; procurado em: " + (tried.empty() ? "nenhum lugar" : tried) + ").");
}

} // namespace

ChartRenderer programChartRenderer(const std::optional<std::filesystem::path>& programFolder) {
    return [programFolder](const calc::CalculationRecord& record, const std::string& riverText,
                           const report::NumberStyle& style,
                           chart::FigureFormat format) -> util::Result<std::string> {
        static const util::Result<chart::DrawChartFunction> loaded = loadModule(programFolder);
        if (!loaded) {
            return loaded.failure();
        }
        return (*loaded)(record, riverText, style, format);
    };
}

} // namespace cli
