// Study files: the bytes written for a study, and what reading gives back for whole, newer,
// damaged and mistyped files.
#include "report/study_file.h"
#include "tests/test_files.h"

#include <gtest/gtest.h>

namespace report {
namespace {

StudyInputs fullStudy() {
    StudyInputs study;
    study.river = "Ribeirão São João";
    study.station = StudyStation{"02048001", "Posto Exemplo", {0.2, 25, 20, 0.08, 0.1, 0.12, {}}};
    study.zone = "Rural";
    study.landClass = "Pastagem";
    study.curveNumber = 75;
    study.drainageAreaKm2 = 50.5;
    study.channelLengthKm = 12.25;
    study.elevationDropM = 0.1;
    study.durationIndex = 3;
    study.returnPeriodYears = 100;
    study.ownConstants = {1.5, {}, 3, {}};
    return study;
}

// Written by hand (tests/data/own-mode-study.zeb): every key, nulls for empty fields, numbers
// with a period whatever the locale.
std::string ownModeStudyBytes() {
    return zebtest::readFile(ZEB_TEST_DATA_DIR "/own-mode-study.zeb");
}

TEST(StudyFile, WritesEveryFieldAndReadsItBack) {
    StudyInputs own;
    own.mode = calc::EquationMode::Own;
    own.curveNumber = 0.5;
    own.durationIndex = 0;
    own.ownConstants[0] = 2.25;
    own.station = StudyStation{"7", "Posto", {}};
    own.station->constants.b = 25;
    own.station->constants.B5 = 0.125;
    EXPECT_EQ(studyFileBytes(own), ownModeStudyBytes());

    for (const StudyInputs& study : {own, fullStudy(), StudyInputs{}}) {
        const auto back = parseStudyFile(studyFileBytes(study));
        ASSERT_TRUE(std::holds_alternative<StudyInputs>(back)) << std::get<std::string>(back);
        EXPECT_EQ(std::get<StudyInputs>(back), study);
    }
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string error; // empty: read, with the curve number below
    std::optional<double> curveNumber = {};
};

void PrintTo(const ReadCase& row, std::ostream* out) {
    *out << row.name;
}

class StudyFileReading : public testing::TestWithParam<ReadCase> {};

TEST_P(StudyFileReading, GivesTheStudyOrTheReason) {
    const auto read = parseStudyFile(GetParam().bytes);
    if (GetParam().error.empty()) {
        ASSERT_TRUE(std::holds_alternative<StudyInputs>(read)) << std::get<std::string>(read);
        EXPECT_EQ(std::get<StudyInputs>(read).curveNumber, GetParam().curveNumber);
    } else {
        ASSERT_TRUE(std::holds_alternative<std::string>(read));
        EXPECT_EQ(std::get<std::string>(read), GetParam().error);
    }
}

const std::string kHead = R"({"format": "zeb-estudo", "version": 1, )";
const std::string kDamaged = "o conteúdo está danificado ou incompleto.";

INSTANTIATE_TEST_SUITE_P(
    Cases, StudyFileReading,
    testing::Values(
        ReadCase{"UnknownKeysIgnored", kHead + R"("cor": {"x": [1]}, "curveNumber": 75})", "", 75},
        ReadCase{"NewerVersion", R"({"format": "zeb-estudo", "version": 2})",
                 "foi gravado por uma versão mais nova do ZEB (formato 2); atualize o programa "
                 "para abri-lo."},
        ReadCase{"OtherFormat", R"({"format": "outro", "version": 1})", "não é um estudo do ZEB."},
        ReadCase{"NotAnObject", "[1, 2]", "não é um estudo do ZEB."},
        ReadCase{"CutInHalf", ownModeStudyBytes().substr(0, 250), kDamaged},
        ReadCase{"NumberAsText", kHead + R"("curveNumber": "75"})",
                 "o campo \"curveNumber\" deveria ser um número."},
        ReadCase{"ConstantAsText", kHead + R"("station": {"constants": {"Bm": "x"}}})",
                 "o campo \"station.constants.Bm\" deveria ser um número."},
        ReadCase{"StationNotObject", kHead + R"("station": "Posto"})",
                 "o campo \"station\" deveria ser um objeto."},
        ReadCase{"UnknownMode", kHead + R"("mode": "manual"})",
                 "o modo \"manual\" é desconhecido (automatic ou own)."},
        ReadCase{"UnknownDuration", kHead + R"("duration": "3 h"})",
                 "a duração \"3 h\" é desconhecida."}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace report
