#include "rainfit/series_fields.h"
#include "rainfit/series_layouts.h"
#include "util/csv_stream.h"
#include "util/text.h"

#include <array>
#include <sstream>

namespace rainfit {

namespace {

using std::chrono::year_month;

// Where the fields the series needs stand in a line of the export.
struct Columns {
    std::size_t station = 0;
    std::size_t level = 0;
    std::size_t date = 0;
    std::array<std::size_t, 31> days{}; // Chuva01 … Chuva31
    std::size_t needed = 0;             // fields a line must have
};

// One station-month as read: its consistency level (1 raw, 2 consisted) and its daily totals.
struct Month {
    int level = 0;
    std::size_t line = 0;
    std::array<std::optional<double>, 31> totalsMm{};
};

util::Result<Columns> headerColumns(const std::vector<std::string>& header) {
    Columns columns;
    const auto find = [&](const std::string& name,
                          std::size_t& at) -> std::optional<util::Failure> {
        for (at = 0; at < header.size(); ++at) {
            if (header[at] == name) {
                columns.needed = std::max(columns.needed, at + 1);
                return std::nullopt;
            }
        }
        return refused("falta a coluna " + name + " no cabeçalho");
    };
    std::optional<util::Failure> missing = find("EstacaoCodigo", columns.station);
    missing = missing ? missing : find("NivelConsistencia", columns.level);
    missing = missing ? missing : find("Data", columns.date);
    for (std::size_t day = 1; day <= 31 && !missing; ++day) {
        missing =
            find((day < 10 ? "Chuva0" : "Chuva") + std::to_string(day), columns.days[day - 1]);
    }
    if (missing) {
        return *missing;
    }
    return columns;
}

// The month's level, first day and totals from one line; the days past the month's end are
// not days and are not read.
util::Result<Month> readMonth(const std::vector<std::string>& fields, const Columns& columns,
                              year_month& when) {
    Month month;
    const std::string_view level = util::trimmed(fields[columns.level]);
    if (level != "1" && level != "2") {
        return refused("o nível de consistência " + util::inQuotes(level) + " não é 1 nem 2");
    }
    month.level = level[0] - '0';
    auto date = readDate(fields[columns.date]);
    if (!date) {
        return date.failure();
    }
    const auto first = *date;
    if (first.day() != std::chrono::day{1}) {
        return refused("a data " + dateText(first) + " não é o primeiro dia de um mês");
    }
    when = first.year() / first.month();
    const unsigned days = static_cast<unsigned>((when / std::chrono::last).day());
    for (unsigned day = 1; day <= days; ++day) {
        auto total = readDailyTotal(fields[columns.days[day - 1]], DecimalMark::Comma);
        if (!total) {
            return total.failure();
        }
        month.totalsMm[day - 1] = *total;
    }
    return month;
}

// Reads the export's lines into months, a consisted month over a raw one.
class MonthReader {
public:
    MonthReader(Columns columns, std::size_t lineOffset)
        : m_columns(columns), m_lineOffset(lineOffset) {}

    std::optional<util::Failure> take(const util::CsvRecord& record) {
        const std::size_t line = record.line + m_lineOffset;
        const std::vector<std::string>& fields = record.fields;
        if (fields.size() < m_columns.needed) {
            return refusalAtLine(line, "a linha tem " + std::to_string(fields.size()) +
                                           " campos; o cabeçalho pede " +
                                           std::to_string(m_columns.needed));
        }
        if (auto refusal = takeStation(util::trimmed(fields[m_columns.station]), line)) {
            return refusal;
        }
        year_month when;
        Month month;
        if (auto refusal = takeAtLine(readMonth(fields, m_columns, when), line, month)) {
            return refusal;
        }
        month.line = line;
        const auto [earlier, added] = m_months.try_emplace(when, month);
        if (!added && earlier->second.level == month.level) {
            return refusalAtLine(line, "o mês " + dateText(when / 1).substr(3) +
                                           " aparece de novo no nível " +
                                           std::to_string(month.level) + " (também na linha " +
                                           std::to_string(earlier->second.line) + ")");
        }
        if (!added && month.level > earlier->second.level) {
            earlier->second = month;
        }
        return std::nullopt;
    }

    DailySeries series() const {
        DailySeries series;
        series.stationCode = m_station;
        for (const auto& [when, month] : m_months) {
            const unsigned days = static_cast<unsigned>((when / std::chrono::last).day());
            for (unsigned day = 1; day <= days; ++day) {
                series.totalsMm.emplace(Day{when / day}, month.totalsMm[day - 1]);
            }
        }
        return series;
    }

private:
    std::optional<util::Failure> takeStation(std::string_view code, std::size_t line) {
        if (m_station.empty()) {
            m_station = code;
        } else if (code != m_station) {
            return refusalAtLine(line, "o posto " + util::inQuotes(code) + " não é o posto " +
                                           util::inQuotes(m_station) +
                                           " das linhas anteriores: a série é de um só posto");
        }
        return std::nullopt;
    }

    Columns m_columns;
    std::size_t m_lineOffset;
    std::string m_station;
    std::map<year_month, Month> m_months;
};

} // namespace

util::Result<DailySeries> readHidroWebSeries(std::string_view fromHeader, std::size_t headerLine) {
    std::istringstream in{std::string(fromHeader)};
    util::CsvStream csv(in, ';');
    util::CsvRecord record;
    csv.next(record);
    Columns columns;
    if (auto refusal = takeAtLine(headerColumns(record.fields), headerLine, columns)) {
        return *refusal;
    }
    MonthReader months(columns, headerLine - 1);
    for (auto read = csv.next(record); read != util::CsvStream::Read::End;
         read = csv.next(record)) {
        if (read == util::CsvStream::Read::Malformed) {
            return refusalAtLine(csv.errorLine() + headerLine - 1, csv.error());
        }
        if (auto refusal = months.take(record)) {
            return *refusal;
        }
    }
    return months.series();
}

} // namespace rainfit
