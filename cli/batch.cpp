#include "cli/batch.h"

#include "calc/run_inputs.h"
#include "calc/run_request.h"
#include "calc/study.h"
#include "cli/options.h"
#include "numbers/number_reading.h"
#include "report/study_table.h"
#include "util/csv_stream.h"
#include "util/text.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

namespace cli {

namespace {

enum Column {
    Id,
    Duration,
    Cn,
    Area,
    Tc,
    Length,
    Drop,
    ReturnPeriod,
    Station,
    Code,
    K,
    A,
    B,
    C,
    B5,
    B15,
    B30,
    Bm,
    IdfK,
    IdfM,
    IdfT0,
    IdfN,
    kColumnCount
};

constexpr std::string_view column(calc::RunInputId id) {
    return calc::kRunInputs[static_cast<std::size_t>(id)].batchColumn;
}

using calc::kIdfBatchColumns;
using calc::kOwnConstantNames;
using calc::kStationConstantNames;

// In Column's order; the own equation's a, b and c are the station's columns of those names.
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "id",
    column(calc::RunInputId::Duration),
    column(calc::RunInputId::CurveNumber),
    column(calc::RunInputId::DrainageArea),
    column(calc::RunInputId::ConcentrationTime),
    column(calc::RunInputId::ChannelLength),
    column(calc::RunInputId::ElevationDrop),
    column(calc::RunInputId::ReturnPeriod),
    "station",
    "code",
    kOwnConstantNames[0],
    kStationConstantNames[0],
    kStationConstantNames[1],
    kStationConstantNames[2],
    kStationConstantNames[3],
    kStationConstantNames[4],
    kStationConstantNames[5],
    kStationConstantNames[6],
    kIdfBatchColumns[0],
    kIdfBatchColumns[1],
    kIdfBatchColumns[2],
    kIdfBatchColumns[3],
};

// Rows are read, computed and written a block at a time: memory stays that of one block.
constexpr std::size_t kBlockRows = 4096;

// Where each known column stands in a row; -1 where the file has no such column.
using ColumnMap = std::array<int, kColumnCount>;

std::variant<ColumnMap, std::string> readHeader(const std::vector<std::string>& names) {
    ColumnMap map;
    map.fill(-1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        int column = -1;
        for (int c = 0; c < kColumnCount; ++c) {
            if (names[i] == kColumnNames[c]) {
                column = c;
            }
        }
        // A misspelt name would leave its values unread: refused rather than ignored.
        if (column < 0) {
            return "coluna desconhecida " + util::inQuotes(names[i]);
        }
        if (map[column] >= 0) {
            return "a coluna " + util::inQuotes(names[i]) + " aparece duas vezes";
        }
        map[column] = static_cast<int>(i);
    }
    if (map[Id] < 0) {
        return "falta a coluna \"id\"";
    }
    return map;
}

// The most station answers a batch keeps, by name and by code each.
constexpr std::size_t kCachedStations = 1024;

// A row read into a run request, or the reason it cannot be run.
struct Job {
    std::size_t line = 0;
    std::string id;
    std::variant<calc::RunRequest, std::string> request;
};

class RowReader {
public:
    RowReader(const ColumnMap& columns, std::size_t headerSize, BatchStations& stations)
        : m_columns(columns), m_headerSize(headerSize), m_stations(stations) {}

    // Fills the job from a record; a database failure is kept in databaseFailure().
    void read(const util::CsvRecord& record, Job& job) {
        m_fields = &record.fields;
        job.line = record.line;
        job.id = std::string(text(Id));
        job.request = request();
    }

    const std::optional<util::Failure>& databaseFailure() const { return m_databaseFailure; }

private:
    std::string_view text(Column column) const {
        const int index = m_columns[column];
        return index >= 0 && index < static_cast<int>(m_fields->size()) ? (*m_fields)[index]
                                                                        : std::string_view();
    }
    bool has(Column column) const { return !text(column).empty(); }

    // Fails with the reason through `error` when the column is empty or not a number.
    bool number(Column column, double& value, std::string& error) const {
        if (!error.empty()) {
            return false;
        }
        if (!has(column)) {
            error = "falta o valor de " + std::string(kColumnNames[column]);
            return false;
        }
        const auto parsed = calc::parseCompleteNumber(text(column));
        if (!parsed) {
            error = std::string(kColumnNames[column]) + ": número mal escrito " +
                    util::inQuotes(text(column));
            return false;
        }
        value = *parsed;
        return true;
    }

    // tc, or the length and drop it is computed from.
    void concentration(calc::RunRequest& request, std::string& error) {
        if (has(Tc) || (!has(Length) && !has(Drop))) {
            double tc = 0;
            if (!has(Tc) && error.empty()) {
                error = "falta o valor de tc (ou de length e drop)";
            }
            number(Tc, tc, error);
            request.concentrationTimeH = tc;
            return;
        }
        double length = 0;
        double drop = 0;
        number(Length, length, error);
        number(Drop, drop, error);
        request.channelLengthKm = length;
        request.elevationDropM = drop;
    }

    std::variant<calc::RunRequest, std::string> request() {
        if (m_fields->size() != m_headerSize) {
            return "a linha tem " + std::to_string(m_fields->size()) + " campos e o cabeçalho " +
                   std::to_string(m_headerSize);
        }
        if (!has(Id)) {
            return std::string("falta o valor de id");
        }
        calc::RunRequest request;
        std::string error;
        const auto duration = parseDuration(std::string(text(Duration)));
        if (!duration) {
            return has(Duration)
                       ? "duration: duração desconhecida " + util::inQuotes(text(Duration))
                       : std::string("falta o valor de duration");
        }
        request.durationIndex = *duration;
        number(Cn, request.curveNumber, error);
        number(Area, request.drainageAreaKm2, error);

        if (has(Tc) && (has(Length) || has(Drop))) {
            return std::string("dê tc ou length e drop, não os dois");
        }
        concentration(request, error);
        rainfall(request, error);
        if (request.mode != calc::EquationMode::Own) {
            number(ReturnPeriod, request.returnPeriodYears, error);
        }
        if (!error.empty()) {
            return error;
        }
        if (const std::string& refusal = rainfallRefusal(request); !refusal.empty()) {
            return refusal;
        }
        return request;
    }

    // The check of the rainfall's constants, made once for each station or own equation while
    // the rows repeat it (the memory kept is bounded); empty when they pass.
    const std::string& rainfallRefusal(const calc::RunRequest& request) {
        using Key = std::pair<calc::EquationMode, std::array<std::optional<double>, 7>>;
        Key key{request.mode, {}};
        if (request.mode == calc::EquationMode::Own) {
            std::copy(request.ownConstants.begin(), request.ownConstants.end(), key.second.begin());
        } else if (request.mode == calc::EquationMode::Idf) {
            const calc::IdfEquation& e = request.idfEquation;
            key.second = {e.k, e.m, e.t0Min, e.n};
        } else if (request.station) {
            const calc::StationCoefficients& s = *request.station;
            key.second = {s.a, s.b, s.c, s.B5, s.B15, s.B30, s.Bm};
        }
        auto found = m_rainfallRefusals.find(key);
        if (found == m_rainfallRefusals.end()) {
            if (m_rainfallRefusals.size() >= kBlockRows) {
                m_rainfallRefusals.clear();
            }
            const auto refused = calc::refusedRainfall(request);
            found = m_rainfallRefusals.emplace(key, refused ? refused->message : "").first;
        }
        return found->second;
    }

    // The rainfall comes from one source: a station by name or code, the seven station
    // constants, the own equation's K, a, b and c, or an IDF equation's four columns.
    void rainfall(calc::RunRequest& request, std::string& error) {
        const bool seven = has(B5) || has(B15) || has(B30) || has(Bm);
        const bool idf = has(IdfK) || has(IdfM) || has(IdfT0) || has(IdfN);
        const int sources =
            int(has(K)) + int(has(Station)) + int(has(Code)) + int(seven) + int(idf);
        if (!error.empty()) {
            return;
        }
        if (sources != 1) {
            constexpr std::string_view kSources =
                "station, code, a,b,c,B5,B15,B30,Bm, K,a,b,c ou idf-K,idf-m,idf-t0,idf-n";
            error = (sources == 0 ? "falta a chuva: " : "a chuva vem de uma fonte só: ") +
                    std::string(kSources);
            return;
        }
        if (idf || has(K)) {
            equation(request, idf, error);
            return;
        }
        if (seven) {
            std::array<double, 7> values{};
            const Column constants[] = {A, B, C, B5, B15, B30, Bm};
            for (std::size_t i = 0; i < 7; ++i) {
                number(constants[i], values[i], error);
            }
            request.station = calc::StationCoefficients{values[0], values[1], values[2], values[3],
                                                        values[4], values[5], values[6]};
            return;
        }
        stationOfDatabase(request, error);
    }

    // The own equation's K, a, b, c, or an IDF equation's four columns.
    void equation(calc::RunRequest& request, bool idf, std::string& error) {
        if (idf) {
            request.mode = calc::EquationMode::Idf;
            double* const values[] = {&request.idfEquation.k, &request.idfEquation.m,
                                      &request.idfEquation.t0Min, &request.idfEquation.n};
            for (std::size_t i = 0; i < 4; ++i) {
                number(static_cast<Column>(IdfK + i), *values[i], error);
            }
            return;
        }
        request.mode = calc::EquationMode::Own;
        const Column own[] = {K, A, B, C};
        for (std::size_t i = 0; i < 4; ++i) {
            number(own[i], request.ownConstants[i], error);
        }
    }

    // The station the row names by name or code, from the database.
    void stationOfDatabase(calc::RunRequest& request, std::string& error) {
        const bool byName = has(Station);
        const std::string key(text(byName ? Station : Code));
        auto& cache = byName ? m_byName : m_byCode;
        auto found = cache.find(key);
        if (found == cache.end()) {
            // Bounded, so that a file of a million names holds no million answers: a name
            // looked up again after the cache starts over gets the same answer.
            if (cache.size() == kCachedStations) {
                cache.clear();
            }
            found =
                cache.emplace(key, byName ? m_stations.byName(key) : m_stations.byCode(key)).first;
        }
        const BatchStations::Answer& answer = found->second;
        if (!answer) {
            error = answer.failure().message;
            if (answer.failure().kind == util::Failure::Kind::Database) {
                m_databaseFailure = answer.failure();
            }
        } else {
            calc::takeStationRainfall(request, *answer);
        }
    }

    const ColumnMap& m_columns;
    std::size_t m_headerSize;
    BatchStations& m_stations;
    const std::vector<std::string>* m_fields = nullptr;
    std::map<std::string, BatchStations::Answer> m_byName;
    std::map<std::string, BatchStations::Answer> m_byCode;
    std::map<std::pair<calc::EquationMode, std::array<std::optional<double>, 7>>, std::string>
        m_rainfallRefusals;
    std::optional<util::Failure> m_databaseFailure;
};

// The output row of a job; `failed` set when it carries an error.
std::string resultRow(const Job& job, bool& failed) {
    // A control character of the id would reach a terminal or a spreadsheet raw.
    const std::string id = util::csvField(util::visible(job.id));
    std::string reason;
    if (const auto* request = std::get_if<calc::RunRequest>(&job.request)) {
        // The reader has checked the rainfall's constants.
        const auto result = calc::runRequestWithCheckedRainfall(*request);
        if (result) {
            return id + "," + report::summaryCsvFields(calc::summarizeRun(*result)) + ",\n";
        }
        reason = result.failure().message;
    } else {
        reason = std::get<std::string>(job.request);
    }
    failed = true;
    return id + ",,,,,," + util::csvField("linha " + std::to_string(job.line) + ": " + reason) +
           "\n";
}

void computeBlock(const std::vector<Job>& jobs, std::size_t count, std::vector<std::string>& rows,
                  std::vector<char>& failed, int threads) {
    auto work = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            bool rowFailed = false;
            rows[i] = resultRow(jobs[i], rowFailed);
            failed[i] = rowFailed;
        }
    };
    const std::size_t parts = std::min<std::size_t>(std::max(threads, 1), count);
    if (parts == 0) {
        return;
    }
    std::vector<std::jthread> helpers;
    for (std::size_t part = 1; part < parts; ++part) {
        helpers.emplace_back(work, count * part / parts, count * (part + 1) / parts);
    }
    work(0, count / parts);
}

// The header's columns, or why the batch cannot start.
util::Result<ColumnMap> readBatchHeader(util::CsvStream& csv, util::CsvRecord& record) {
    const auto refused = [](std::string reason) {
        return util::Failure{util::Failure::Kind::InvalidInput, std::move(reason)};
    };
    const auto headerRead = csv.next(record);
    if (headerRead == util::CsvStream::Read::End) {
        return refused("o arquivo de bacias está vazio: falta o cabeçalho");
    }
    if (headerRead == util::CsvStream::Read::Malformed) {
        return refused("cabeçalho do arquivo de bacias: " + csv.error());
    }
    auto header = readHeader(record.fields);
    if (const auto* problem = std::get_if<std::string>(&header)) {
        return refused("cabeçalho do arquivo de bacias: " + *problem);
    }
    return std::get<ColumnMap>(header);
}

// Up to a block of rows read into jobs: how many, and whether the file ended. A database that
// cannot be read stops the batch.
struct BlockRead {
    std::size_t count = 0;
    bool ended = false;
};
util::Result<BlockRead> readBlock(util::CsvStream& csv, util::CsvRecord& record, RowReader& reader,
                                  std::vector<Job>& block) {
    BlockRead read;
    while (read.count < block.size()) {
        const auto next = csv.next(record);
        if (next == util::CsvStream::Read::End) {
            read.ended = true;
            break;
        }
        Job& job = block[read.count++];
        if (next == util::CsvStream::Read::Malformed) {
            job = Job{record.line, "", csv.error()};
            continue;
        }
        reader.read(record, job);
        if (reader.databaseFailure()) {
            return *reader.databaseFailure();
        }
    }
    return read;
}

} // namespace

util::Result<BatchRun> runBatch(std::istream& in, std::ostream& out, BatchStations& stations,
                                int jobs) {
    util::CsvStream csv(in);
    util::CsvRecord record;
    const auto header = readBatchHeader(csv, record);
    if (!header) {
        return header.failure();
    }
    RowReader reader(*header, record.fields.size(), stations);

    out << "id," << report::kSummaryColumns << ",error\n";
    std::vector<Job> block(kBlockRows);
    std::vector<std::string> rows(kBlockRows);
    std::vector<char> failed(kBlockRows);
    bool anyFailed = false;
    for (bool ended = false; !ended;) {
        const auto read = readBlock(csv, record, reader, block);
        if (!read) {
            return read.failure();
        }
        const auto [count, fileEnded] = *read;
        ended = fileEnded;
        computeBlock(block, count, rows, failed, jobs);
        for (std::size_t i = 0; i < count; ++i) {
            out << rows[i];
            anyFailed = anyFailed || failed[i];
        }
        if (!out) {
            return util::Failure{util::Failure::Kind::Output,
                                 "não foi possível gravar o resultado"};
        }
    }
    return BatchRun{anyFailed};
}

} // namespace cli
