// The calculation and the report over any inputs: a run gives a record of
// finite values or says why not, never undefined behaviour; and the report always has its 47
// lines, each at its documented length or wider only by a value wider than its field, and the
// limit notes after them exactly when one applies.
#include "calc/calculation.h"
#include "calc/limits.h"
#include "calc/record_fields.h"
#include "fuzz/harness.h"
#include "report/report_lines.h"
#include "util/utf8.h"

#include <algorithm>
#include <cmath>

namespace {

calc::Entry entry(zebfuzz::ByteReader& in) {
    return in.byte() % 4 == 0 ? calc::Entry() : calc::Entry(in.number());
}

calc::CalculationInputs decodeInputs(zebfuzz::ByteReader& in) {
    calc::CalculationInputs inputs;
    inputs.mode = static_cast<calc::EquationMode>(in.byte() % 3);
    inputs.durationIndex = static_cast<std::int16_t>(in.byte() % 14);
    for (double* value :
         {&inputs.curveNumber, &inputs.drainageAreaKm2, &inputs.returnPeriodYears,
          &inputs.concentrationTimeH, &inputs.frequencyFactorK, &inputs.idfCoefficientA,
          &inputs.idfCoefficientB, &inputs.idfCoefficientC, &inputs.idfEquation.k,
          &inputs.idfEquation.m, &inputs.idfEquation.t0Min, &inputs.idfEquation.n}) {
        *value = in.number();
    }
    if (in.byte() % 4 != 0) {
        calc::StationCoefficients& s = inputs.station.emplace();
        for (auto* value : {&s.a, &s.b, &s.c, &s.B5, &s.B15, &s.B30, &s.Bm}) {
            *value = entry(in);
        }
    }
    return inputs;
}

void checkReport(const calc::CalculationRecord& r, calc::EquationMode mode,
                 zebfuzz::ByteReader& in) {
    const report::NumberStyle& style = zebfuzz::numberStyle(in.byte());
    const std::string river = in.text(40);
    const std::string station = in.text(40);
    const std::string dateTime = in.text(24);
    const auto lines = report::composeReportLines(r, mode, river, station, dateTime, style);
    const bool noted = !calc::limitNotes(r).empty();
    FUZZ_CHECK(noted ? lines.size() > 49 && lines[48].text == "Observações:" : lines.size() == 47,
               "the report has 47 lines, and the notes after them only when one applies");
    for (std::size_t n = 1; n <= 47; ++n) {
        const std::string& text = lines[n - 1].text;
        FUZZ_CHECK(text.find_first_of("\r\n") == std::string::npos, "no line break in a line");
        const std::size_t width = util::characterCount(text);
        const std::size_t documented = n == 1              ? 130 + util::characterCount(dateTime)
                                       : n == 2            ? 149
                                       : n == 3 || n == 22 ? 0
                                       : n == 4            ? 28 + util::characterCount(river)
                                       : n == 5            ? 28 + util::characterCount(station)
                                       : n <= 21           ? 41
                                                           : 145;
        // In modes Own and Idf line 5 may hold the equation instead of the station; a value
        // wider than its field widens it, whole.
        const bool ownConstants = n == 5 && mode != calc::EquationMode::Automatic;
        FUZZ_CHECK(ownConstants ||
                       (n <= 6 || n == 20 || n == 22 ? width == documented : width >= documented),
                   "every line has its documented length");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zebfuzz::ByteReader in(data, size);
    const calc::CalculationInputs inputs = decodeInputs(in);
    const auto result = calc::computeCalculationRecord(inputs);
    if (!result) {
        FUZZ_CHECK(result.failure().message.starts_with("Não é possível calcular: "),
                   "a refused run says why");
        return 0;
    }
    const calc::CalculationRecord& record = *result;
    const auto finite = [](const calc::Entry& value) { return !value || std::isfinite(*value); };
    calc::visitScalarFields(record, [&](auto, auto, const calc::Entry& value) {
        FUZZ_CHECK(finite(value), "a run's scalars are finite");
    });
    calc::visitSeriesFields(record, [&](auto, auto, const auto& values) {
        FUZZ_CHECK(std::ranges::all_of(values, finite), "a run's series are finite");
    });
    checkReport(record, inputs.mode, in);
    return 0;
}
