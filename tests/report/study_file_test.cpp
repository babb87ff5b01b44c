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
    study.station = calc::Station{"02048001", "Posto Exemplo", "",
                                  calc::StationCoefficients{0.2, 25, 20, 0.08, 0.1, 0.12, {}}};
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

TEST(StudyFile, WritesEveryFieldAndReadsItBack) {
    StudyInputs own;
    own.mode = calc::EquationMode::Own;
    own.curveNumber = 0.5;
    own.durationIndex = 0;
    own.ownConstants[0] = 2.25;
    own.station =
        calc::Station{"7", "Posto", "", calc::StationCoefficients{{}, 25, {}, 0.125, {}, {}, {}}};
    // Written by hand: every key, nulls for empty fields, numbers with a period whatever the
    // locale.
    EXPECT_EQ(studyFileBytes(own), zebtest::dataFile("own-mode-study.zeb"));

    // An IDF equation, chosen, typed or a station's, needs the newer format; a study without
    // keeps the older.
    StudyInputs typed = fullStudy();
    typed.idfConstants = {897.79, 0.1463, 11.83, 0.758};
    StudyInputs idf;
    idf.mode = calc::EquationMode::Idf;
    EXPECT_NE(studyFileBytes(idf).find(R"("version": 2)"), std::string::npos);
    StudyInputs idfStation = fullStudy();
    idfStation.station->rainfall = calc::StationIdfEquation{{897.79, 0.1463, 11.83, 0.758}, "DAEE"};
    EXPECT_NE(studyFileBytes(idfStation).find(R"("version": 2)"), std::string::npos);
    for (const StudyInputs& study : {own, fullStudy(), StudyInputs{}, typed, idf, idfStation}) {
        const auto back = parseStudyFile(studyFileBytes(study));
        ASSERT_TRUE(back) << back.failure().message;
        EXPECT_EQ(*back, study);
    }
}

TEST(StudyFile, ReadingGivesTheStudyOrTheReason) {
    const std::string head = R"({"format": "zeb-estudo", "version": 1, )";
    const std::string damaged = "o conteúdo está danificado ou incompleto.";
    const struct {
        std::string bytes;
        std::string error; // empty: read, with the curve number below
        std::optional<double> curveNumber = {};
    } rows[] = {
        {head + R"("cor": {"x": [1]}, "curveNumber": 75})", "", 75}, // unknown keys ignored
        {R"({"format": "zeb-estudo", "version": 3})",
         "foi gravado por uma versão mais nova do ZEB (formato 3); atualize o programa para "
         "abri-lo."},
        {R"({"format": "outro", "version": 1})", "não é um estudo do ZEB."},
        {"[1, 2]", "não é um estudo do ZEB."},
        {zebtest::dataFile("own-mode-study.zeb").substr(0, 250), damaged},
        {head + R"("curveNumber": "75"})", "o campo \"curveNumber\" deveria ser um número."},
        {head + R"("station": {"constants": {"Bm": "x"}}})",
         "o campo \"station.constants.Bm\" deveria ser um número."},
        {head + R"("station": "Posto"})", "o campo \"station\" deveria ser um objeto."},
        {head + R"("station": {"constants": {}, "idfEquation": {}}})",
         "o posto tem \"station.constants\" e \"station.idfEquation\"; um posto tem uma ou "
         "outra."},
        {head + R"("station": {"idfEquation": {"K": 897.79, "m": 0.15, "t0": 11.8}}})",
         "falta o campo \"station.idfEquation.n\"."},
        {head + R"("mode": "manual"})",
         "o modo \"manual\" é desconhecido (automatic, own ou idf)."},
        {head + R"("duration": "3 h"})", "a duração \"3 h\" é desconhecida."},
        {head + R"("river": "Rio\u001b[2J"})",
         "o campo \"river\" tem um caractere de controle (\\x1b)."},
        {head + R"("station": {"name": "P\u0000"}})",
         "o campo \"station.name\" tem um caractere de controle (\\x00)."},
        {head + R"("station": {"code": "12", "name": "X", "constants": {"a": 0.2, "b": -25, )"
                R"("c": 20, "B5": -0.04, "B15": 0.08, "B30": 0.08, "Bm": 0.08}}})",
         "o posto \"X\" (código 12) foi recusado: a precipitação pontual de 5 min para TR 2 "
         "anos não é maior que zero."},
        {head + R"("mode": "own", "ownConstants": {"K": -2.3, "a": 0.2, "b": 25, "c": 20}})",
         "a equação própria (K, a, b, c) foi recusada: a precipitação pontual de 5 min não é "
         "maior que zero."},
        {head + R"("mode": "idf", "idfEquation": {"K": 900, "m": 0.1, "t0": -1, "n": 0.7}})",
         "a equação IDF (K, m, t0, n) foi recusada: t0 deve ser um número finito maior ou igual "
         "a 0 min."}};
    for (const auto& row : rows) {
        const auto read = parseStudyFile(row.bytes);
        EXPECT_EQ(read ? "" : read.failure().message, row.error) << row.bytes;
        EXPECT_TRUE(!read || read->curveNumber == row.curveNumber);
    }
}

} // namespace
} // namespace report
