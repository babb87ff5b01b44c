#include "fake_reference_database.h"

namespace {

refdata::StationRecord station(std::string codigo, std::string nome, std::string estado,
                               calc::StationCoefficients coefficients) {
    return {std::move(codigo), std::move(nome), std::move(estado), coefficients};
}

const calc::StationCoefficients kExampleConstants{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};

} // namespace

refdata::Result<std::vector<refdata::StationListItem>> FakeReferenceDatabase::allStations() {
    std::vector<refdata::StationListItem> items;
    for (const auto& s : stations) {
        items.push_back({s.codigo, s.nome, s.estado});
    }
    return items;
}

refdata::Result<std::vector<std::string>> FakeReferenceDatabase::allLandClasses() {
    std::vector<std::string> items;
    for (const auto& row : curveNumbers) {
        items.push_back(row.terreno);
    }
    return items;
}

refdata::Result<std::vector<std::string>>
FakeReferenceDatabase::landClassesOfZone(std::string_view zone) {
    std::vector<std::string> items;
    for (const auto& row : curveNumbers) {
        if (row.zona == zone) {
            items.push_back(row.terreno);
        }
    }
    return items;
}

refdata::Result<std::optional<refdata::StationRecord>>
FakeReferenceDatabase::findStationByName(std::string_view name) {
    if (unreadableStations.count(std::string(name)) != 0) {
        return refdata::DatabaseError{"Valor nulo na tabela zeb (posto \"" + std::string(name) +
                                      "\") em " + m_path.string() + "."};
    }
    for (const auto& s : stations) {
        if (s.nome == name) {
            return std::optional(s);
        }
    }
    return std::optional<refdata::StationRecord>();
}

refdata::Result<std::optional<double>>
FakeReferenceDatabase::findCurveNumber(std::string_view landClass) {
    if (unreadableLandClasses.count(std::string(landClass)) != 0) {
        return refdata::DatabaseError{"Valor nulo na coluna cn (terreno \"" +
                                      std::string(landClass) + "\") em " + m_path.string() + "."};
    }
    for (const auto& row : curveNumbers) {
        if (row.terreno == landClass) {
            return std::optional(row.cn);
        }
    }
    return std::optional<double>();
}

std::unique_ptr<FakeReferenceDatabase> makeTestDatabase() {
    auto db = std::make_unique<FakeReferenceDatabase>();
    calc::StationCoefficients withoutBm = kExampleConstants;
    withoutBm.Bm.reset();
    db->stations = {
        station("101", "Vila Rica", "MG", kExampleConstants),
        station("102", "Pau d'Alho", "PE", {0.3, 20, 15, -0.04, 0.08, 0.08, 0.09}),
        station("103", "Vila Rica", "GO", {0.5, 30, 25, 0.0, 0.1, 0.1, 0.1}),
        station("104", "Olho d'Água", "BA", kExampleConstants),
        station("105", "", "SP", kExampleConstants),
        station("106", "Sem Bm", "RS", withoutBm),
    };
    db->curveNumbers = {
        {"Floresta", "Rural", 55},         {"Pastagem", "Rural", 69},
        {"Área comercial", "Urbana", 92},  {"Pastagem", "Urbana", 79},
        {"Solo d'aluvião", "Rural", 77.5}, {"Várzea", "Mista", 83},
    };
    return db;
}
