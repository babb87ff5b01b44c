#include "report/rain_analysis_text.h"

#include "numbers/number_format.h"

#include <array>

namespace report {

std::string_view monthName(int month) {
    static constexpr std::array<const char*, 12> kMonthNames = {
        "janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
        "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
    return kMonthNames.at(static_cast<std::size_t>(month - 1));
}

namespace {

// The text right-aligned in a column this wide (counted in bytes: numbers and ASCII only).
std::string rightAligned(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string yearsText(const rainfit::AnnualMaxima& maxima, const rainfit::YearRule& rule,
                      const NumberStyle& style) {
    std::string text = "Anos contados: " + std::to_string(maxima.counted.size());
    if (rule.firstMonth != 1) {
        text += std::string(" (anos hidrológicos de 1º de ") +
                std::string(monthName(rule.firstMonth)) +
                ", cada um com o número do ano em que começa)";
    }
    text += "\n     ano  máxima diária (mm)  dias em falta\n";
    for (const rainfit::YearMaximum& year : maxima.counted) {
        text += rightAligned(std::to_string(year.year), 8) +
                rightAligned(formatPattern(year.maxDailyMm, Pattern::Plain3, style), 20) +
                rightAligned(std::to_string(year.missingDays), 15) + "\n";
    }
    text += "\nAnos deixados de fora (mais de " + formatPlain(rule.maxMissingPercent, style) +
            " % dos dias em falta): ";
    text += maxima.leftOut.empty() ? "nenhum\n" : "\n";
    for (const rainfit::YearLeftOut& year : maxima.leftOut) {
        text += rightAligned(std::to_string(year.year), 8) + ": " +
                std::to_string(year.missingDays) + " dias em falta\n";
    }
    return text;
}

} // namespace

std::string gumbelSection(const rainfit::GumbelFit& gumbel, const NumberStyle& style) {
    std::string text = "\nDistribuição de Gumbel pelo método dos momentos:\n  média " +
                       formatFixed(gumbel.meanMm, 2, style) + " mm, desvio padrão " +
                       formatFixed(gumbel.stdDevMm, 2, style) + " mm\n" +
                       "  Kolmogorov-Smirnov: D = " + formatFixed(gumbel.ksStatistic, 4, style) +
                       ", valor crítico a 5 % = " + formatFixed(gumbel.ksCritical5pct, 4, style);
    if (gumbel.rejected()) {
        return text + "\n  O TESTE REJEITA O AJUSTE a 5 %: a distribuição de Gumbel não descreve "
                      "estes máximos,\n  e a equação que sai deles merece reserva.\n";
    }
    return text + ": o ajuste é aceito a 5 %.\n";
}

std::string equationSection(const rainfit::IdfFit& fit, const NumberStyle& style) {
    return "\nEquação: i = K·TR^m/(t + t0)^n (i em mm/h, t e t0 em minutos, TR em anos)\n"
           "  K = " +
           formatFixed(fit.equation.k, 4, style) +
           "  m = " + formatFixed(fit.equation.m, 4, style) +
           "  t0 = " + formatFixed(fit.equation.t0Min, 3, style) +
           " min  n = " + formatFixed(fit.equation.n, 4, style) +
           "\n  R² = " + formatFixed(fit.r2, 4, style) +
           " (sobre as intensidades); soma dos quadrados das diferenças de ln i = " +
           formatFixed(fit.sse, 5, style) + "\n";
}

std::string intensitySection(const rainfit::RainAnalysis& analysis, bool fitted,
                             const NumberStyle& style) {
    std::string text = fitted ? "\nIntensidades da equação (mm/h):\n   t (min)"
                              : "\nIntensidades dos dados (mm/h):\n   t (min)";
    for (const double years : rainfit::kReturnPeriodsYears) {
        text += rightAligned("TR " + formatPlain(years, style), 10);
    }
    const std::size_t columns = rainfit::kReturnPeriodsYears.size();
    for (std::size_t i = 0; i < analysis.points.size(); ++i) {
        const rainfit::IdfPoint& point = analysis.points[i];
        if (i % columns == 0) {
            text += "\n" + rightAligned(formatPlain(point.durationMin, style), 10);
        }
        text += rightAligned(
            formatPattern(fitted ? point.fittedMmH : point.intensityMmH, Pattern::Plain3, style),
            10);
    }
    return text + "\n";
}

std::string rainAnalysisText(const rainfit::RainAnalysis& analysis, const rainfit::YearRule& rule,
                             const NumberStyle& style) {
    std::string text = "Equação IDF ajustada a uma série de chuvas diárias";
    if (!analysis.stationCode.empty()) {
        text += " (posto " + analysis.stationCode + ")";
    }
    return text + "\n\n" + yearsText(analysis.maxima, rule, style) +
           gumbelSection(analysis.gumbel, style) + equationSection(analysis.fit, style) +
           intensitySection(analysis, false, style) + intensitySection(analysis, true, style);
}

} // namespace report
