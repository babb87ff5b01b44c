#include "rainfit/rain_analysis.h"

#include "calc/design_storm.h"

namespace rainfit {

util::Result<RainAnalysis> analyseAnnualMaxima(AnnualMaxima maxima,
                                               const AnalysisOptions& options) {
    RainAnalysis analysis;
    std::vector<double> values;
    for (const YearMaximum& year : maxima.counted) {
        values.push_back(year.maxDailyMm);
    }
    analysis.maxima = std::move(maxima);
    analysis.gumbel = fitGumbel(values);
    // The one-day total grows with the return period, so the shortest tells.
    if (!(analysis.gumbel.stdDevMm > 0) ||
        !(gumbelDepthMm(analysis.gumbel, kReturnPeriodsYears.front()) > 0)) {
        return refused("a distribuição de Gumbel ajustada aos máximos anuais não dá uma chuva "
                       "positiva em cada tempo de recorrência (máximos todos iguais ou "
                       "dispersos demais): a série não serve para o ajuste");
    }
    std::vector<std::array<double, kDurationCount>> depths;
    for (const double returnPeriod : kReturnPeriodsYears) {
        depths.push_back(
            durationDepthsMm(gumbelDepthMm(analysis.gumbel, returnPeriod), options.ratios));
    }
    for (std::size_t d = 0; d < kDurationCount; ++d) {
        const double minutes = kDurationsMin[d];
        for (std::size_t r = 0; r < kReturnPeriodsYears.size(); ++r) {
            analysis.points.push_back(
                {minutes, kReturnPeriodsYears[r], depths[r][d] / (minutes / 60), 0});
        }
    }
    analysis.fit = fitIdfEquation(analysis.points);
    for (IdfPoint& point : analysis.points) {
        point.fittedMmH =
            calc::idfIntensity(analysis.fit.equation, point.returnPeriodYears, point.durationMin);
    }
    return analysis;
}

util::Result<RainAnalysis> analyseDailyRainfall(std::string_view bytes,
                                                const AnalysisOptions& options) {
    auto series = readDailySeries(bytes);
    if (!series) {
        return series.failure();
    }
    auto maxima = annualMaxima(*series, options.years);
    if (!maxima) {
        return maxima.failure();
    }
    auto analysis = analyseAnnualMaxima(std::move(*maxima), options);
    if (analysis) {
        analysis->stationCode = series->stationCode;
    }
    return analysis;
}

} // namespace rainfit
