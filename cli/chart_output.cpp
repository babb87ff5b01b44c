#include "cli/chart_output.h"

#include <dlfcn.h>

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
    return {*programFolder / chart::kChartModuleFileName,
            (*programFolder / ZEB_CHART_MODULE_FROM_BINDIR / chart::kChartModuleFileName)
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
            tried += (tried.empty() ? "" : ", ") + candidate.string();
            continue;
        }
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* reason = ::dlerror();
            return moduleFailure("o módulo de gráficos " + candidate.string() +
                                 " não pôde ser carregado: " + (reason ? reason : "?") + ".");
        }
        auto entry = reinterpret_cast<chart::ChartModuleEntry>(
            ::dlsym(module, chart::kChartModuleEntryName));
        chart::DrawChartFunction draw = nullptr;
        if (entry != nullptr) {
            entry(&draw);
        }
        if (draw == nullptr) {
            return moduleFailure("o módulo de gráficos " + candidate.string() +
                                 " não é desta versão do zeb-calc.");
        }
        return draw;
    }
    return moduleFailure("este zeb-calc não tem o módulo de gráficos (" +
                         std::string(chart::kChartModuleFileName) +
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
