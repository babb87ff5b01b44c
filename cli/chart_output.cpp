#include "cli/chart_output.h"

#include <dlfcn.h>

#include <system_error>
#include <variant>
#include <vector>

namespace cli {

namespace {

// Beside the program (the build tree), then where it is installed.
std::vector<std::filesystem::path>
moduleCandidates(const std::optional<std::filesystem::path>& programFolder) {
    if (!programFolder) {
        return {};
    }
    return {*programFolder / chart::kChartModuleFileName,
            (*programFolder / ZEB_CHART_MODULE_FROM_BINDIR / chart::kChartModuleFileName)
                .lexically_normal()};
}

// The module's drawing function, or why there is none. Loaded once; never unloaded, since
// Qt keeps state for the life of the process.
std::variant<chart::DrawChartFunction, chart::ChartFailure>
loadModule(const std::optional<std::filesystem::path>& programFolder) {
    std::string tried;
    for (const std::filesystem::path& candidate : moduleCandidates(programFolder)) {
        std::error_code error;
        if (!std::filesystem::exists(candidate, error)) {
            tried += (tried.empty() ? "" : ", ") + candidate.string();
            continue;
        }
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* reason = ::dlerror();
            return chart::ChartFailure{"o módulo de gráficos " + candidate.string() +
                                       " não pôde ser carregado: " + (reason ? reason : "?") + "."};
        }
        auto entry = reinterpret_cast<chart::ChartModuleEntry>(
            ::dlsym(module, chart::kChartModuleEntryName));
        chart::DrawChartFunction draw = nullptr;
        if (entry != nullptr) {
            entry(&draw);
        }
        if (draw == nullptr) {
            return chart::ChartFailure{"o módulo de gráficos " + candidate.string() +
                                       " não é desta versão do zeb-calc."};
        }
        return draw;
    }
    return chart::ChartFailure{
        "este zeb-calc não tem o módulo de gráficos (" + std::string(chart::kChartModuleFileName) +
        "; procurado em: " + (tried.empty() ? "nenhum lugar" : tried) + ")."};
}

} // namespace

ChartRenderer programChartRenderer(const std::optional<std::filesystem::path>& programFolder) {
    return [programFolder](const calc::CalculationRecord& record, const std::string& riverText,
                           const report::NumberStyle& style,
                           chart::FigureFormat format) -> chart::ChartResult {
        static const std::variant<chart::DrawChartFunction, chart::ChartFailure> loaded =
            loadModule(programFolder);
        if (const auto* failure = std::get_if<chart::ChartFailure>(&loaded)) {
            return *failure;
        }
        return std::get<chart::DrawChartFunction>(loaded)(record, riverText, style, format);
    };
}

} // namespace cli
