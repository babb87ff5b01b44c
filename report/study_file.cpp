#include "report/study_file.h"

#include "calc/durations.h"
#include "calc/rainfall_check.h"
#include "util/file_replacement.h"
#include "util/system_error.h"
#include "util/text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

namespace report {

namespace {

using nlohmann::json;

// A study is a few hundred bytes; anything far larger is not one, and is not read whole.
constexpr std::uintmax_t kMaxStudyBytes = 1024 * 1024;

using calc::kIdfConstantNames;
using calc::kOwnConstantNames;
using calc::kStationConstantNames;

// Each mode under its name in the file, in EquationMode's order.
constexpr std::array<std::string_view, 3> kModeNames = {"automatic", "own", "idf"};

// A study with an IDF equation needs the format that holds one.
bool usesIdf(const StudyInputs& study) {
    return study.mode == calc::EquationMode::Idf ||
           std::ranges::any_of(study.idfConstants,
                               [](const auto& value) { return value.has_value(); }) ||
           (study.station && study.station->idf());
}

// Where a study keeps each of the run's numbers; none for the duration, kept as its label, and
// for tc, which a study does not keep.
template <typename Study>
auto numberSlot(Study& study, calc::RunInputId id) -> decltype(&study.curveNumber) {
    switch (id) {
    case calc::RunInputId::CurveNumber:
        return &study.curveNumber;
    case calc::RunInputId::DrainageArea:
        return &study.drainageAreaKm2;
    case calc::RunInputId::ChannelLength:
        return &study.channelLengthKm;
    case calc::RunInputId::ElevationDrop:
        return &study.elevationDropM;
    case calc::RunInputId::ReturnPeriod:
        return &study.returnPeriodYears;
    case calc::RunInputId::ConcentrationTime:
    case calc::RunInputId::Duration:
        break;
    }
    return nullptr;
}

// The seven constants in kStationConstantNames' order, to read or to write.
template <typename Coefficients> auto constantSlots(Coefficients& k) {
    return std::array{&k.a, &k.b, &k.c, &k.B5, &k.B15, &k.B30, &k.Bm};
}

json numberOrNull(const std::optional<double>& value) {
    return value ? json(*value) : json(nullptr);
}

json textOrNull(const std::optional<std::string>& value) {
    return value ? json(*value) : json(nullptr);
}

json constantsObject(const std::array<std::string_view, 4>& names,
                     const std::array<std::optional<double>, 4>& constants) {
    json object = json::object();
    for (std::size_t i = 0; i < names.size(); ++i) {
        object[std::string(names[i])] = numberOrNull(constants[i]);
    }
    return object;
}

// A wrong value in a well-formed file: the reason names the key.
struct WrongValue {
    std::string reason;
};

// A file that is no study to open.
util::Failure unreadable(std::string reason) {
    return util::Failure{util::Failure::Kind::InvalidInput, std::move(reason)};
}

WrongValue wrongType(const std::string& key, const char* expected) {
    return {"o campo " + util::inQuotes(key) + " deveria ser " + expected + "."};
}

// The value under `key`, absent or null read as empty.
const json* member(const json& object, std::string_view key) {
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::optional<double> readNumber(const json& object, std::string_view key,
                                 const std::string& path) {
    const json* value = member(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (!value->is_number()) { // the parser refuses numbers out of range
        throw wrongType(path + std::string(key), "um número");
    }
    return value->get<double>();
}

std::optional<std::string> readText(const json& object, std::string_view key,
                                    const std::string& path = "") {
    const json* value = member(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (!value->is_string()) {
        throw wrongType(path + std::string(key), "um texto");
    }
    std::string text = value->get<std::string>();
    // The window never types one; from elsewhere it would reach the report and the terminal.
    const auto control = std::ranges::find_if(
        text, [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; });
    if (control != text.end()) {
        throw WrongValue{"o campo " + util::inQuotes(path + std::string(key)) +
                         " tem um caractere de controle (" +
                         util::visible(std::string_view(&*control, 1)) + ")."};
    }
    return text;
}

const json* readObject(const json& object, const char* key, const std::string& path = "") {
    const json* value = member(object, key);
    if (value != nullptr && !value->is_object()) {
        throw wrongType(path + key, "um objeto");
    }
    return value;
}

// A station's IDF equation: its four numbers, none of them missing, and its source.
calc::StationIdfEquation readStationIdf(const json& object, const json& equation) {
    std::array<double, kIdfConstantNames.size()> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string key = "station.idfEquation." + std::string(kIdfConstantNames[i]);
        const auto value = readNumber(equation, kIdfConstantNames[i], "station.idfEquation.");
        if (!value) {
            throw WrongValue{"falta o campo " + util::inQuotes(key) + "."};
        }
        values[i] = *value;
    }
    return {calc::idfEquationOf(values), readText(object, "source", "station.").value_or("")};
}

calc::Station readStation(const json& object) {
    calc::Station station;
    station.code = readText(object, "code", "station.").value_or("");
    station.name = readText(object, "name", "station.").value_or("");
    const json* constants = readObject(object, "constants", "station.");
    const json* idf = readObject(object, "idfEquation", "station.");
    if (constants != nullptr && idf != nullptr) {
        throw WrongValue{"o posto tem \"station.constants\" e \"station.idfEquation\"; um posto "
                         "tem uma ou outra."};
    }
    if (idf != nullptr) {
        station.rainfall = readStationIdf(object, *idf);
        return station;
    }
    calc::StationCoefficients coefficients;
    if (constants != nullptr) {
        for (std::size_t i = 0; i < kStationConstantNames.size(); ++i) {
            *constantSlots(coefficients)[i] =
                readNumber(*constants, kStationConstantNames[i], "station.constants.");
        }
    }
    station.rainfall = coefficients;
    return station;
}

// The station's rainfall relation under its key.
void addStationRainfall(json& station, const calc::Station& copy) {
    if (const auto* idf = copy.idf()) {
        const calc::IdfEquation& e = idf->equation;
        const double values[] = {e.k, e.m, e.t0Min, e.n};
        json& equation = station["idfEquation"] = json::object();
        for (std::size_t i = 0; i < kIdfConstantNames.size(); ++i) {
            equation[std::string(kIdfConstantNames[i])] = values[i];
        }
        station["source"] = idf->source;
        return;
    }
    json& constants = station["constants"] = json::object();
    for (std::size_t i = 0; i < kStationConstantNames.size(); ++i) {
        constants[std::string(kStationConstantNames[i])] =
            numberOrNull(*constantSlots(*copy.coefficients())[i]);
    }
}

// Constants whose point rainfall cannot be are refused as the file is opened, not at the run.
void refuseImpossibleRainfall(const StudyInputs& study) {
    if (study.station) {
        const auto* idf = study.station->idf();
        if (auto refusal = idf ? calc::idfRainfallRefusal(idf->equation)
                               : calc::stationRainfallRefusal(*study.station->coefficients())) {
            throw WrongValue{"o posto " + util::inQuotes(study.station->name) + " (código " +
                             util::printable(study.station->code) + ") foi recusado: " + *refusal +
                             "."};
        }
    }
    const auto own = allConstantsGiven(study.ownConstants);
    if (study.mode == calc::EquationMode::Own && own) {
        if (auto refusal = calc::ownRainfallRefusal(*own)) {
            throw WrongValue{"a equação própria (K, a, b, c) foi recusada: " + *refusal + "."};
        }
    }
    const auto idf = allConstantsGiven(study.idfConstants);
    if (study.mode == calc::EquationMode::Idf && idf) {
        if (auto refusal = calc::idfRainfallRefusal(calc::idfEquationOf(*idf))) {
            throw WrongValue{"a equação IDF (K, m, t0, n) foi recusada: " + *refusal + "."};
        }
    }
}

// Four constants under their names in an object of the study.
void readConstants(const json& root, const char* key, const std::array<std::string_view, 4>& names,
                   std::array<std::optional<double>, 4>& constants) {
    if (const json* object = readObject(root, key)) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            constants[i] = readNumber(*object, names[i], std::string(key) + ".");
        }
    }
}

calc::EquationMode readMode(const json& root) {
    const auto mode = readText(root, "mode");
    if (!mode) {
        return calc::EquationMode::Automatic;
    }
    const auto found = std::ranges::find(kModeNames, *mode);
    if (found == kModeNames.end()) {
        throw WrongValue{"o modo " + util::inQuotes(*mode) +
                         " é desconhecido (automatic, own ou idf)."};
    }
    return static_cast<calc::EquationMode>(found - kModeNames.begin());
}

std::optional<int> readDuration(const json& root, std::string_view key) {
    const auto label = readText(root, key);
    if (!label) {
        return std::nullopt;
    }
    const auto index = calc::durationIndexOfLabel(*label);
    if (!index) {
        throw WrongValue{"a duração " + util::inQuotes(*label) + " é desconhecida."};
    }
    return index;
}

StudyInputs readStudy(const json& root) {
    StudyInputs study;
    study.river = readText(root, "river").value_or("");
    study.mode = readMode(root);
    if (const json* station = readObject(root, "station")) {
        study.station = readStation(*station);
    }
    study.zone = readText(root, "zone");
    study.landClass = readText(root, "landClass");
    for (const calc::RunInput& input : calc::kRunInputs) {
        if (input.reading == calc::InputReading::Duration) {
            study.durationIndex = readDuration(root, input.studyKey);
        } else if (auto* slot = numberSlot(study, input.id)) {
            *slot = readNumber(root, input.studyKey, "");
        }
    }
    readConstants(root, "ownConstants", kOwnConstantNames, study.ownConstants);
    readConstants(root, "idfEquation", kIdfConstantNames, study.idfConstants);
    refuseImpossibleRainfall(study);
    return study;
}

// The run's inputs that a study keeps, each under its key; an empty one as null.
void addRunInputs(json& root, const StudyInputs& study) {
    for (const calc::RunInput& input : calc::kRunInputs) {
        if (input.studyKey.empty()) {
            continue;
        }
        const auto value = studyInputValue(study, input.id);
        json& entry = root[std::string(input.studyKey)];
        if (!value) {
            entry = nullptr;
        } else if (input.reading == calc::InputReading::Duration) {
            entry = calc::durationLabels.at(static_cast<std::size_t>(*value));
        } else {
            entry = *value;
        }
    }
}

} // namespace

std::optional<std::array<double, 4>>
allConstantsGiven(const std::array<std::optional<double>, 4>& typed) {
    if (!std::ranges::all_of(typed, [](const auto& value) { return value.has_value(); })) {
        return std::nullopt;
    }
    return std::array{*typed[0], *typed[1], *typed[2], *typed[3]};
}

std::optional<double> studyInputValue(const StudyInputs& study, calc::RunInputId id) {
    if (id == calc::RunInputId::Duration) {
        return study.durationIndex;
    }
    const std::optional<double>* slot = numberSlot(study, id);
    return slot != nullptr ? *slot : std::nullopt;
}

std::string studyFileBytes(const StudyInputs& study) {
    json station = nullptr;
    if (study.station) {
        station = {{"code", study.station->code}, {"name", study.station->name}};
        addStationRainfall(station, *study.station);
    }
    json root = {
        {"format", kStudyFormatName},
        {"version", usesIdf(study) ? kStudyFormatVersion : 1},
        {"river", study.river},
        {"mode", kModeNames[static_cast<std::size_t>(study.mode)]},
        {"station", station},
        {"zone", textOrNull(study.zone)},
        {"landClass", textOrNull(study.landClass)},
        {"ownConstants", constantsObject(kOwnConstantNames, study.ownConstants)},
    };
    if (usesIdf(study)) {
        root["idfEquation"] = constantsObject(kIdfConstantNames, study.idfConstants);
    }
    addRunInputs(root, study);
    // The window's texts are always valid UTF-8; a stray byte from elsewhere becomes U+FFFD
    // rather than losing the whole study.
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

util::Result<StudyInputs> parseStudyFile(std::string_view bytes) {
    const json root = json::parse(bytes, nullptr, false);
    if (root.is_discarded()) {
        return unreadable("o conteúdo está danificado ou incompleto.");
    }
    if (!root.is_object() || root.value("format", json()) != kStudyFormatName) {
        return unreadable("não é um estudo do ZEB.");
    }
    const json version = root.value("version", json());
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1) {
        return unreadable("a versão do formato está ausente ou é inválida.");
    }
    if (version.get<std::int64_t>() > kStudyFormatVersion) {
        return unreadable("foi gravado por uma versão mais nova do ZEB (formato " +
                          std::to_string(version.get<std::int64_t>()) +
                          "); atualize o programa para abri-lo.");
    }
    try {
        return readStudy(root);
    } catch (const WrongValue& wrong) {
        return unreadable(wrong.reason);
    }
}

util::Result<StudyInputs> loadStudyFile(const std::filesystem::path& path) {
    const auto refused = [&path](const std::string& reason) {
        return unreadable("Não foi possível abrir o estudo " + util::visible(path.string()) + ": " +
                          reason);
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error) {
        return refused(util::systemErrorText(error.value()) + ".");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return refused("não é um arquivo comum.");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return refused(util::systemErrorText(errno) + ".");
    }
    std::string bytes(kMaxStudyBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return refused("a leitura falhou.");
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxStudyBytes) {
        return refused("o arquivo é grande demais para ser um estudo.");
    }
    auto parsed = parseStudyFile(bytes);
    if (!parsed) {
        return refused(parsed.failure().message);
    }
    return parsed;
}

std::optional<util::Failure> saveStudyFile(const std::filesystem::path& path,
                                           const StudyInputs& study) {
    return util::writeFileAtomically(path, studyFileBytes(study));
}

} // namespace report
