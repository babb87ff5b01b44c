#include "report/report_lines.h"

#include "calc/limits.h"
#include "numbers/number_format.h"
#include "report/fixed_field.h"
#include "util/utf8.h"

#include <algorithm>
#include <cstddef>

namespace report {

namespace {

constexpr std::string_view kTitle =
    "Pelvanith - Hidrograma Unitário Sintético Triangular do Soil Conservation Service";
constexpr std::size_t kTitleGap = 49;
constexpr std::size_t kRuleWidth = 149;

constexpr std::size_t kFigureLabelWidth = 28;
constexpr std::size_t kFigureValueWidth = 5;
constexpr std::size_t kUnitWidth = 8;
constexpr std::size_t kHeadingLabelWidth = 30;
constexpr std::size_t kHeadingValueWidth = 3;
constexpr std::size_t kSeriesLabelWidth = 40;
constexpr std::size_t kSeriesValueWidth = 7;
constexpr std::size_t kSeriesLineWidth = kSeriesLabelWidth + calc::kSteps * kSeriesValueWidth;

std::string twoDecimals(double value, const NumberStyle& style) {
    return formatPattern(value, Pattern::Plain3, style);
}

std::string seriesDecimals(double value, const NumberStyle& style) {
    return formatPattern(value, Pattern::Plain2, style);
}

std::string plain(double value, const NumberStyle& style) {
    return formatPlain(value, style);
}

// The total flow never shows a negative value: below zero it reads as zero.
std::string flowDecimals(double value, const NumberStyle& style) {
    return twoDecimals(value < 0 ? 0.0 : value, style);
}

// A line break inside the river or station text would add lines to the file and shift every
// line after it; it is written as a blank.
std::string singleLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}

ReportLine blankFigureLine() {
    return {std::string(kFigureLabelWidth + kFigureValueWidth + kUnitWidth, ' ')};
}

ReportLine figureLine(std::string_view label, const calc::Entry& value, ValueFormatter format,
                      std::string_view unit, const NumberStyle& style) {
    return {alignRight(label, kFigureLabelWidth) +
            valueField(value, kFigureValueWidth, format, style) + alignLeft(unit, kUnitWidth)};
}

// The ordinates u_1.. as a series; entry 0 is never shown.
calc::Series toSeries(const std::array<std::optional<float>, calc::kSteps + 1>& ordinates) {
    calc::Series series;
    for (std::size_t i = 1; i < ordinates.size(); ++i) {
        if (ordinates[i]) {
            series[i] = static_cast<double>(*ordinates[i]);
        }
    }
    return series;
}

// A series value right-aligned in its field, with a blank before it even when its text fills or
// passes the field, so that two values never run together into one.
std::string seriesField(const calc::Entry& entry, ValueFormatter format, const NumberStyle& style) {
    std::string field = valueField(entry, kSeriesValueWidth, format, style);
    return field.starts_with(' ') ? field : " " + field;
}

// Entries 1..15 from the given column on; the columns before it are blank fields.
std::string seriesFields(const calc::Series& series, std::size_t firstColumn, ValueFormatter format,
                         const NumberStyle& style) {
    std::string fields;
    fields.reserve(calc::kSteps * kSeriesValueWidth);
    for (std::size_t i = 1; i <= calc::kSteps; ++i) {
        if (i < firstColumn) {
            fields.append(kSeriesValueWidth, ' ');
        } else {
            fields += seriesField(series[i], format, style);
        }
    }
    return fields;
}

ReportLine seriesLine(std::string_view label, const calc::Series& series, ValueFormatter format,
                      const NumberStyle& style) {
    return {alignRight(label, kSeriesLabelWidth) + seriesFields(series, 1, format, style)};
}

// The text split at blanks into lines of at most `width` characters; a word longer than that
// stands alone on its line, whole.
std::vector<std::string> wrappedAtBlanks(std::string_view text, std::size_t width) {
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        std::string& line = lines.back();
        if (line.empty()) {
            line = word;
        } else if (util::characterCount(line) + 1 + util::characterCount(word) <= width) {
            line += ' ';
            line += word;
        } else {
            lines.emplace_back(word);
        }
    }
    return lines;
}

// The limit notes after the last series line: each begins with a dash and goes on under its
// own first letter.
void appendLimitNotes(const calc::CalculationRecord& record, std::vector<ReportLine>& lines) {
    const std::vector<std::string> notes = calc::limitNotes(record);
    if (notes.empty()) {
        return;
    }
    lines.push_back({});
    lines.push_back({"Observações:"});
    constexpr std::string_view kFirst = "- ";
    constexpr std::string_view kNext = "  ";
    for (const std::string& note : notes) {
        bool first = true;
        for (const std::string& part : wrappedAtBlanks(note, kSeriesLineWidth - kFirst.size())) {
            lines.push_back({std::string(first ? kFirst : kNext) + part});
            first = false;
        }
    }
}

} // namespace

std::string constantsSourceLine(calc::EquationMode mode, std::string_view stationText,
                                const calc::CalculationRecord& record, const NumberStyle& style) {
    if (mode == calc::EquationMode::Automatic ||
        (mode == calc::EquationMode::Idf && !stationText.empty())) {
        return alignRight("Posto: ", kFigureLabelWidth) + singleLine(stationText);
    }
    const auto constant = [&style](std::string_view name, const calc::Entry& value) {
        return std::string(name) + (value ? plain(*value, style) : std::string());
    };
    if (mode == calc::EquationMode::Idf) {
        return alignRight("Equação IDF: ", kFigureLabelWidth) +
               constant("K=", record.idfEquationK) + constant(" m=", record.idfExponentM) +
               constant(" t0=", record.idfTimeOffsetMin) + constant(" n=", record.idfExponentN) +
               " (i em mm/h, t e t0 em min, TR em anos)";
    }
    return alignRight("Equação própria: ", kFigureLabelWidth) +
           constant("K=", record.frequencyFactorK) + constant(" a=", record.idfCoefficientA) +
           constant(" b=", record.idfCoefficientB) + constant(" c=", record.idfCoefficientC);
}

std::vector<ReportLine> composeReportLines(const calc::CalculationRecord& record,
                                           calc::EquationMode mode, std::string_view riverText,
                                           std::string_view stationText,
                                           std::string_view dateTimeText,
                                           const NumberStyle& style) {
    const calc::CalculationRecord& r = record;
    std::vector<ReportLine> lines;
    lines.reserve(kReportLineCount);

    lines.push_back({std::string(kTitle) + std::string(kTitleGap, ' ') + singleLine(dateTimeText)});
    lines.push_back({std::string(kRuleWidth, '=')});
    lines.push_back({});
    lines.push_back({alignRight("Rio: ", kFigureLabelWidth) + singleLine(riverText)});
    lines.push_back({constantsSourceLine(mode, stationText, record, style)});
    lines.push_back(blankFigureLine());

    lines.push_back(
        figureLine("Área de drenagem: ", r.drainageAreaKm2, twoDecimals, " km²", style));
    lines.push_back(
        figureLine("Comprimento do talvegue: ", r.channelLengthKm, twoDecimals, " km", style));
    lines.push_back(figureLine("Desnível: ", r.elevationDropM, twoDecimals, " m", style));
    lines.push_back(
        figureLine("Tempo de concentração: ", r.concentrationTimeH, twoDecimals, " horas", style));
    lines.push_back(figureLine("Curve Number (CN): ", r.curveNumber, plain, "", style));
    lines.push_back(figureLine("Retenção potencial do solo: ", r.potentialRetentionMm, twoDecimals,
                               " mm", style));
    lines.push_back(
        figureLine("Duração da chuva unitária: ", r.unitDurationH, plain, " horas", style));
    lines.push_back(figureLine("Tempo de ascenção: ", r.riseTimeH, twoDecimals, " horas", style));
    lines.push_back(figureLine("Tempo de base: ", r.baseTimeH, twoDecimals, " horas", style));
    lines.push_back(
        figureLine("Tempo de recessão: ", r.recessionTimeH, twoDecimals, " horas", style));
    lines.push_back(
        figureLine("Intervalo de dicretização: ", r.unitDurationH, plain, " horas", style));
    lines.push_back(
        figureLine("Vazão de pico unitária: ", r.unitPeakFlow, twoDecimals, " m³/s.mm", style));
    lines.push_back(
        figureLine("Tempo de Recorrência (TR): ", r.returnPeriodYears, plain, " anos", style));
    lines.push_back(blankFigureLine());

    lines.push_back({alignRight("Hidrograma de cheias para TR= ", kHeadingLabelWidth) +
                         valueField(r.returnPeriodYears, kHeadingValueWidth, plain, style) +
                         alignLeft(" anos", kUnitWidth),
                     true});
    lines.push_back({});

    lines.push_back(seriesLine("Tempo (horas): ", r.timesH, plain, style));
    lines.push_back(
        seriesLine("Precipitação pontual (mm): ", r.pointRainfallMm, seriesDecimals, style));
    lines.push_back(
        seriesLine("Precipitação abatida (mm): ", r.reducedRainfallMm, seriesDecimals, style));
    lines.push_back(seriesLine("Precipitação desacumulada (mm): ", r.incrementalRainfallMm,
                               seriesDecimals, style));
    lines.push_back(
        seriesLine("Precipitação reordenada (mm): ", r.reorderedRainfallMm, seriesDecimals, style));
    lines.push_back(
        seriesLine("Precipitação acumulada (mm): ", r.cumulativeRainfallMm, seriesDecimals, style));
    lines.push_back(
        seriesLine("Precipitação efetiva (mm): ", r.effectiveRainfallMm, seriesDecimals, style));
    lines.push_back(seriesLine("Precipitação efetiva desacumulada (mm): ",
                               r.incrementalEffectiveRainfallMm, seriesDecimals, style));
    lines.push_back(seriesLine("Hidrograma Unitário (m³/s.mm): ", toSeries(r.unitHydrograph),
                               seriesDecimals, style));

    // Row r starts under time step r; the blanks left of it are the empty half of the table.
    for (std::size_t row = 1; row <= calc::kSteps; ++row) {
        lines.push_back({std::string(kSeriesLabelWidth, ' ') +
                         seriesFields(r.convolutionTable[row], row, seriesDecimals, style)});
    }

    lines.push_back(seriesLine("Vazão Total (m³/s): ", r.totalFlow, flowDecimals, style));
    appendLimitNotes(r, lines);
    return lines;
}

} // namespace report
