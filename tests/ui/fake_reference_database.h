#pragma once

#include "refdata/reference_database.h"

#include <set>
#include <string>
#include <vector>

// An in-memory reference database with the answers the real ones give: stored order, the
// first row of a name or land class, the zone matched exactly.
class FakeReferenceDatabase : public refdata::ReferenceDatabase {
public:
    std::vector<refdata::StationRecord> stations;
    std::vector<refdata::CurveNumberRecord> curveNumbers;
    // Rows the data layer cannot read (a null where a value is needed): a lookup reaching
    // them fails with a DatabaseError.
    std::set<std::string> unreadableStations;
    std::set<std::string> unreadableLandClasses;

    refdata::Result<std::vector<refdata::StationListItem>> allStations() override;
    refdata::Result<std::vector<std::string>> allLandClasses() override;
    refdata::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) override;
    refdata::Result<std::optional<refdata::StationRecord>>
    findStationByName(std::string_view name) override;
    refdata::Result<std::optional<double>> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_path; }

private:
    std::filesystem::path m_path{"/dados/zeb-teste.sqlite"};
};

// Counts the lookups made through it, passing every call on to the database it wraps.
class CountingDatabase : public refdata::ReferenceDatabase {
public:
    explicit CountingDatabase(std::unique_ptr<refdata::ReferenceDatabase> inner)
        : m_inner(std::move(inner)) {}

    int stationLookups = 0;
    int curveNumberLookups = 0;
    int zoneQueries = 0;
    std::vector<std::string> stationNamesLookedUp;

    refdata::Result<std::vector<refdata::StationListItem>> allStations() override {
        return m_inner->allStations();
    }
    refdata::Result<std::vector<std::string>> allLandClasses() override {
        return m_inner->allLandClasses();
    }
    refdata::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) override {
        ++zoneQueries;
        return m_inner->landClassesOfZone(zone);
    }
    refdata::Result<std::optional<refdata::StationRecord>>
    findStationByName(std::string_view name) override {
        ++stationLookups;
        stationNamesLookedUp.emplace_back(name);
        return m_inner->findStationByName(name);
    }
    refdata::Result<std::optional<double>> findCurveNumber(std::string_view landClass) override {
        ++curveNumberLookups;
        return m_inner->findCurveNumber(landClass);
    }
    const std::filesystem::path& path() const override { return m_inner->path(); }

private:
    std::unique_ptr<refdata::ReferenceDatabase> m_inner;
};

// The test data: the worked example's station, a repeated name, an apostrophe, an empty name
// and a station with a missing constant; a land class in both zones with different curve
// numbers and one of a zone that is neither "Rural" nor "Urbana".
std::unique_ptr<FakeReferenceDatabase> makeTestDatabase();
