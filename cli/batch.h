#pragma once

#include "calc/station.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace cli {

// Where a batch row's station, named by its name or code, comes from.
class BatchStations {
public:
    struct Answer {
        std::optional<calc::StationRainfall> station; // found
        std::string rowError;                         // not found: that row fails, the others go on
        std::string databaseError;                    // the database failed: the whole batch stops
    };
    virtual ~BatchStations() = default;
    virtual Answer byName(const std::string& name) = 0;
    virtual Answer byCode(const std::string& code) = 0;
};

// A batch's end: the exit status and, for a failure of the whole batch, its message.
struct BatchOutcome {
    int exitCode = 0;
    std::string message;
};

// Reads a CSV of basins (a header row of column names, one basin per row) and writes one
// result row per basin, in input order: id, the run's summary and an error column that holds
// the row's message (with its line) when the row could not be computed. A bad row never stops
// the others. `jobs` threads compute the rows; the output order stays the input order, and
// memory does not grow with the number of rows nor of stations: a station is looked up once
// while it is among the last 1,024 names (or codes) looked up.
// Exit status: 0 every row computed, 3 some row failed, 2 a bad header, 4 a database failure.
BatchOutcome runBatch(std::istream& in, std::ostream& out, BatchStations& stations, int jobs);

struct BatchRequest;

// zeb-calc --batch: the basins' file read, its stations from the reference database (opened
// on the first row that names one), the rows written to standard output or whole to --output.
BatchOutcome runBatchCommand(const BatchRequest& request,
                             const std::optional<std::filesystem::path>& programFolder,
                             std::ostream& out);

} // namespace cli
