#pragma once

#include "calc/record.h"

#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The run has 15 steps and 8 unit-hydrograph ordinates whatever the basin. These notes say
// when that leaves part of the flood or of the unit hydrograph outside the results.

inline constexpr std::string_view kFloodNotRecededNote =
    "A cheia não terminou no passo 15: a última vazão ainda passa de um décimo do pico. "
    "O cálculo tem sempre 15 passos; com uma duração da chuva unitária maior, eles cobrem "
    "mais tempo da cheia.";

inline constexpr std::string_view kUnitHydrographCutNote =
    "O hidrograma unitário triangular vai além da 8ª ordenada (tempo de base maior que 8 "
    "vezes a duração unitária) e o cálculo despreza o restante. Uma duração da chuva "
    "unitária maior evita o corte.";

// The same notes in a few words, for a window that has room for no more beside its results.
inline constexpr std::string_view kFloodNotRecededTitle = "A cheia não terminou no passo 15.";
inline constexpr std::string_view kUnitHydrographCutTitle =
    "Hidrograma unitário cortado na 8ª ordenada.";

// The notes that apply to a computed record, in the order above; none for a record without
// results. The flood has not receded when the flow at step 15 is above a tenth of the
// highest flow (a peak of 0 or below has nothing to recede from); the triangle is cut when
// its base time exceeds 8 unit durations.
std::vector<std::string> limitNotes(const CalculationRecord& record);

// The titles of the notes that apply, in the same order.
std::vector<std::string_view> limitNoteTitles(const CalculationRecord& record);

// The two conditions of the notes above, one each.
bool floodNotReceded(const CalculationRecord& record);
bool unitHydrographCut(const CalculationRecord& record);

} // namespace calc
