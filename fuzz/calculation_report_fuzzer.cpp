// The calculation and the report over any inputs and any record: a run gives a record of
// finite values or an error, never undefined behaviour; and every report line has its
// documented length, a field growing only when the sign and integer part of its value are wider
// than the field (decimals are dropped first, never integer digits).
#include "calc/calculation.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/number_styles.h"
#include "report/number_format.h"
#include "report/report_lines.h"
#include "report/results_grid.h"
#include "report/utf8.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

namespace {

using calc::Entry;
using report::NumberStyle;
using Formatter = std::string (*)(double, const NumberStyle&);

std::string decimals(double value, const NumberStyle& style) {
    return report::formatPattern(value, report::Pattern::Plain3, style);
}
std::string plain(double value, const NumberStyle& style) {
    return report::formatPlain(value, style);
}
std::string flow(double value, const NumberStyle& style) {
    return decimals(value < 0 ? 0.0 : value, style);
}

Entry entry(zebfuzz::ByteReader& in) {
    if (in.byte() % 4 == 0) {
        return std::nullopt;
    }
    return in.number();
}

void fill(calc::Series& series, zebfuzz::ByteReader& in) {
    for (auto& value : series) {
        value = entry(in);
    }
}

calc::CalculationInputs decodeInputs(zebfuzz::ByteReader& in) {
    calc::CalculationInputs inputs;
    inputs.mode = in.byte() % 2 == 0 ? calc::EquationMode::Automatic : calc::EquationMode::Own;
    const std::uint8_t duration = in.byte();
    // Mostly a listed duration, sometimes any 16-bit position.
    inputs.durationIndex = duration < 208 ? static_cast<std::int16_t>(duration % 13)
                                          : static_cast<std::int16_t>(in.twoBytes());
    inputs.curveNumber = in.number();
    inputs.drainageAreaKm2 = in.number();
    inputs.returnPeriodYears = in.number();
    inputs.concentrationTimeH = in.number();
    inputs.frequencyFactorK = in.number();
    inputs.idfCoefficientA = in.number();
    inputs.idfCoefficientB = in.number();
    inputs.idfCoefficientC = in.number();
    if (in.byte() % 4 != 0) {
        calc::StationCoefficients station;
        for (auto* value : {&station.a, &station.b, &station.c, &station.B5, &station.B15,
                            &station.B30, &station.Bm}) {
            *value = entry(in);
        }
        inputs.station = station;
    }
    return inputs;
}

calc::CalculationRecord decodeRecord(zebfuzz::ByteReader& in) {
    calc::CalculationRecord r;
    r.durationIndex = static_cast<std::int16_t>(in.twoBytes());
    for (auto* value :
         {&r.unitDurationH, &r.curveNumber, &r.drainageAreaKm2, &r.returnPeriodYears,
          &r.potentialRetentionMm, &r.riseTimeH, &r.baseTimeH, &r.recessionTimeH, &r.unitPeakFlow,
          &r.frequencyFactorK, &r.idfCoefficientA, &r.idfCoefficientB, &r.idfCoefficientC,
          &r.durationAlpha, &r.durationBeta, &r.returnPeriodExponent}) {
        *value = entry(in);
    }
    for (auto* series : {&r.timesH, &r.pointRainfallMm, &r.reducedRainfallMm,
                         &r.incrementalRainfallMm, &r.reorderedRainfallMm, &r.cumulativeRainfallMm,
                         &r.effectiveRainfallMm, &r.incrementalEffectiveRainfallMm, &r.totalFlow}) {
        fill(*series, in);
    }
    for (auto& ordinate : r.unitHydrograph) {
        if (const Entry value = entry(in)) {
            ordinate = static_cast<float>(*value);
        }
    }
    for (auto& row : r.convolutionTable) {
        fill(row, in);
    }
    return r;
}

bool finite(const Entry& value) {
    return !value || std::isfinite(*value);
}

void checkRunRecord(const calc::CalculationRecord& r) {
    for (const Entry* value :
         {&r.unitDurationH, &r.curveNumber, &r.drainageAreaKm2, &r.returnPeriodYears,
          &r.potentialRetentionMm, &r.riseTimeH, &r.baseTimeH, &r.recessionTimeH, &r.unitPeakFlow,
          &r.frequencyFactorK, &r.idfCoefficientA, &r.idfCoefficientB, &r.idfCoefficientC,
          &r.durationAlpha, &r.durationBeta, &r.returnPeriodExponent}) {
        FUZZ_CHECK(finite(*value), "a run's record holds finite values only");
    }
    for (const calc::Series* series :
         {&r.timesH, &r.pointRainfallMm, &r.reducedRainfallMm, &r.incrementalRainfallMm,
          &r.reorderedRainfallMm, &r.cumulativeRainfallMm, &r.effectiveRainfallMm,
          &r.incrementalEffectiveRainfallMm, &r.totalFlow}) {
        for (const Entry& value : *series) {
            FUZZ_CHECK(finite(value), "a run's series hold finite values only");
        }
    }
    for (const auto& ordinate : r.unitHydrograph) {
        FUZZ_CHECK(!ordinate || std::isfinite(*ordinate), "the unit hydrograph is finite");
    }
    for (const auto& row : r.convolutionTable) {
        for (const Entry& value : row) {
            FUZZ_CHECK(finite(value), "the convolution table is finite");
        }
    }
    FUZZ_CHECK(r.timesH[1].has_value() && r.totalFlow[1].has_value(),
               "a run fills the first step at least");
}

// What a value field must hold, from the rule alone: the full text when it fits; else the
// same text with decimal digits dropped from the right (and the separator once none is left)
// until it fits or no decimal is left; an exponent always stays. Right-aligned.
std::string expectedField(const Entry& value, std::size_t width, Formatter format,
                          const NumberStyle& style) {
    if (!value) {
        return std::string(width, ' ');
    }
    const std::string full = format(*value, style);
    const std::string separator = style.decimalSeparator.empty() ? "." : style.decimalSeparator;
    std::string kept = full;
    const std::size_t point = full.find(separator);
    if (report::characterCount(full) > width && point != std::string::npos) {
        const std::size_t exponentAt = full.find_first_of("eE", point);
        const std::string exponent =
            exponentAt == std::string::npos ? std::string() : full.substr(exponentAt);
        const std::string digits = full.substr(
            point + separator.size(), full.size() - exponent.size() - point - separator.size());
        kept = full.substr(0, point) + exponent; // no decimal left
        for (std::size_t count = digits.size(); count > 0; --count) {
            const std::string candidate =
                full.substr(0, point) + separator + digits.substr(0, count) + exponent;
            if (report::characterCount(candidate) <= width) {
                kept = candidate;
                break;
            }
        }
    }
    const std::size_t length = report::characterCount(kept);
    return length >= width ? kept : std::string(width - length, ' ') + kept;
}

std::string padRight(std::string text, std::size_t width) {
    const std::size_t length = report::characterCount(text);
    return length >= width ? text : text + std::string(width - length, ' ');
}

// The value part of a line: everything after its label.
void checkValuePart(const std::string& line, std::size_t labelWidth, const std::string& expected,
                    const char* what) {
    // Labels hold a few two-byte characters; find where the label's characters end.
    std::size_t bytes = 0;
    for (std::size_t characters = 0; characters < labelWidth && bytes < line.size(); ++characters) {
        bytes += report::readUtf8Character(std::string_view(line).substr(bytes)).length;
    }
    FUZZ_CHECK(line.substr(bytes) == expected, what);
}

void checkReport(const calc::CalculationRecord& r, const std::string& river,
                 const std::string& station, const std::string& dateTime,
                 const NumberStyle& style) {
    const auto lines = report::composeReportLines(r, river, station, dateTime, style);
    FUZZ_CHECK(lines.size() == report::kReportLineCount, "the report has 47 lines");
    const auto width = [&lines](std::size_t number) {
        return report::characterCount(lines[number - 1].text);
    };
    for (const auto& line : lines) {
        FUZZ_CHECK(line.text.find_first_of("\r\n") == std::string::npos,
                   "no line break inside a report line");
    }
    FUZZ_CHECK(width(1) == 130 + report::characterCount(dateTime), "line 1: 130 + date-time");
    FUZZ_CHECK(width(2) == 149, "line 2: 149");
    FUZZ_CHECK(width(3) == 0 && width(22) == 0, "lines 3 and 22 are empty");
    FUZZ_CHECK(width(4) == 28 + report::characterCount(river), "line 4: 28 + river");
    FUZZ_CHECK(width(5) == 28 + report::characterCount(station), "line 5: 28 + station");
    FUZZ_CHECK(width(6) == 41 && width(20) == 41, "lines 6 and 20: 41 blanks");

    struct Figure {
        const Entry value;
        Formatter format;
        const char* unit;
    };
    const Figure figures[] = {
        {r.drainageAreaKm2, decimals, " km²"},
        {r.channelLengthKm, decimals, " km"},
        {r.elevationDropM, decimals, " m"},
        {r.concentrationTimeH, decimals, " horas"},
        {r.curveNumber, plain, ""},
        {r.potentialRetentionMm, decimals, " mm"},
        {r.unitDurationH, plain, " horas"},
        {r.riseTimeH, decimals, " horas"},
        {r.baseTimeH, decimals, " horas"},
        {r.recessionTimeH, decimals, " horas"},
        {r.unitDurationH, plain, " horas"},
        {r.unitPeakFlow, decimals, " m³/s.mm"},
        {r.returnPeriodYears, plain, " anos"},
    };
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        const Figure& f = figures[i];
        checkValuePart(lines[6 + i].text, 28,
                       expectedField(f.value, 5, f.format, style) + padRight(f.unit, 8),
                       "lines 7-19: a 28-wide label, a 5-wide value, an 8-wide unit");
    }
    checkValuePart(lines[20].text, 30,
                   expectedField(r.returnPeriodYears, 3, plain, style) + padRight(" anos", 8),
                   "line 21: a 30-wide label, a 3-wide value, an 8-wide unit");

    const auto seriesPart = [&style](const calc::Series& series, std::size_t first,
                                     Formatter format) {
        std::string fields;
        for (std::size_t i = 1; i <= calc::kSteps; ++i) {
            fields += i < first ? std::string(7, ' ') : expectedField(series[i], 7, format, style);
        }
        return fields;
    };
    calc::Series ordinates;
    for (std::size_t i = 0; i < ordinates.size(); ++i) {
        if (r.unitHydrograph[i]) {
            ordinates[i] = static_cast<double>(*r.unitHydrograph[i]);
        }
    }
    const calc::Series* series[] = {&r.pointRainfallMm,
                                    &r.reducedRainfallMm,
                                    &r.incrementalRainfallMm,
                                    &r.reorderedRainfallMm,
                                    &r.cumulativeRainfallMm,
                                    &r.effectiveRainfallMm,
                                    &r.incrementalEffectiveRainfallMm,
                                    &ordinates};
    checkValuePart(lines[22].text, 40, seriesPart(r.timesH, 1, plain),
                   "line 23: a 40-wide label and 15 times 7 wide");
    for (std::size_t i = 0; i < std::size(series); ++i) {
        checkValuePart(lines[23 + i].text, 40, seriesPart(*series[i], 1, decimals),
                       "lines 24-31: a 40-wide label and 15 values 7 wide");
    }
    for (std::size_t row = 1; row <= calc::kSteps; ++row) {
        checkValuePart(lines[30 + row].text, 40, seriesPart(r.convolutionTable[row], row, decimals),
                       "lines 32-46: 40 blanks and the table's row from its own column");
    }
    checkValuePart(lines[46].text, 40, seriesPart(r.totalFlow, 1, flow),
                   "line 47: a 40-wide label and 15 flows, none below zero");

    for (int row = 1; row <= calc::kSteps; ++row) {
        FUZZ_CHECK(report::characterCount(report::gridTimeCell(r, row, style)) >= 25 &&
                       report::characterCount(report::gridFlowCell(r, row, style)) >= 25,
                   "a grid cell is at least 25 wide");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zebfuzz::ByteReader in(data, size);
    const bool fromRun = in.byte() % 2 == 0;
    const NumberStyle& style = zebfuzz::numberStyle(in.byte());
    const std::string river = in.text(40);
    const std::string station = in.text(40);
    const std::string dateTime = in.byte() % 2 == 0 ? "2024-01-02 03:04:05" : in.text(24);

    calc::CalculationRecord record;
    if (fromRun) {
        const calc::CalculationInputs inputs = decodeInputs(in);
        const calc::CalculationResult result = calc::computeCalculationRecord(inputs);
        if (const auto* error = std::get_if<calc::CalculationError>(&result)) {
            FUZZ_CHECK(error->message.rfind("Não é possível calcular: ", 0) == 0,
                       "a refused run says why");
            return 0;
        }
        record = std::get<calc::CalculationRecord>(result);
        checkRunRecord(record);
        // The window's own fields, which the run never writes.
        record.channelLengthKm = in.number();
        record.elevationDropM = in.number();
    } else {
        record = decodeRecord(in);
        record.channelLengthKm = in.number();
        record.elevationDropM = in.number();
        record.concentrationTimeH = in.number();
    }
    checkReport(record, river, station, dateTime, style);
    return 0;
}
