#pragma once

#include "calc/record.h"
#include "calc/station.h"
#include "util/failure.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace cli {

// Where a batch row's station, named by its name or code, comes from.
class BatchStations {
public:
    // The station's rainfall relation, or why there is none: a failure of kind Database stops
    // the whole batch; any other (a station the database lacks) fails the rows that name it.
    using Answer = util::Result<calc::StationRainfall>;
    virtual ~BatchStations() = default;
    virtual Answer byName(const std::string& name) = 0;
    virtual Answer byCode(const std::string& code) = 0;
};

// A batch that ran to its end, every row answered.
struct BatchRun {
    bool rowsFailed = false; // some row could not be computed (exit status 3)
};

// Reads a CSV of basins (a header row of column names, one basin per row) and writes one
// result row per basin, in input order: id, the run's summary and an error column that holds
// the row's message (with its line) when the row could not be computed. A bad row never stops
// the others. `jobs` threads compute the rows; the output order stays the input order, and
// memory does not grow with the number of rows nor of stations: a station is looked up once
// while it is among the last 1,024 names (or codes) looked up.
// A bad header (an invalid input), a database failure or an output that cannot be written
// stops the batch.
util::Result<BatchRun> runBatch(std::istream& in, std::ostream& out, BatchStations& stations,
                                int jobs);

struct BatchRequest;

// zeb-calc --batch: the basins' file read, its stations from the reference database (opened
// on the first row that names one), the rows written to standard output or whole to --output.
util::Result<BatchRun> runBatchCommand(const BatchRequest& request,
                                       const std::optional<std::filesystem::path>& programFolder,
                                       std::ostream& out);

} // namespace cli
