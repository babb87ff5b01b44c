#include "refdata/access/isolated_access_source.h"

#include "refdata/access/access_file.h"
#include "refdata/access/wire_format.h"
#include "refdata/database_message.h"

#include <limits>
#include <memory>

namespace refdata {

namespace {

// A request is one operation letter, the table's name and, for rows, the match and the limit.
enum Operation : std::uint8_t { kColumnNames = 'c', kRows = 'r' };

// No Access table holds as many rows as a 32-bit count, which therefore stands for "all".
constexpr std::size_t kWireEveryRow = std::numeric_limits<std::uint32_t>::max();

// Runs in the child: the file opened in process, each request answered from it.
ChildService::Server openInChild(const std::filesystem::path& file) {
    auto access = std::make_shared<AccessFile>(file);
    return [access](std::string_view request) {
        WireReader in(request);
        WireWriter out;
        const std::uint8_t operation = in.byte();
        const std::string table(in.text());
        if (operation == kColumnNames) {
            out.texts(access->columnNames(table));
            return out.bytes();
        }
        std::optional<TextMatch> match;
        if (in.byte() != 0) {
            const std::size_t column = in.count();
            match = TextMatch{column, {}, in.text()};
        }
        const std::size_t wireLimit = in.count();
        const std::size_t limit = wireLimit == kWireEveryRow ? kEveryRow : wireLimit;
        access->readRows(table, match, limit, [&out](const RowValues& row) { out.row(row); });
        return out.bytes();
    };
}

} // namespace

const ChildService kAccessReading{"zeb-access-reader", "access", openInChild};

IsolatedAccessSource::IsolatedAccessSource(std::filesystem::path file, ReadLimits limits)
    : m_path(std::move(file)), m_reader(m_path, kAccessReading, limits) {}

std::vector<std::string> IsolatedAccessSource::columnNames(std::string_view table) {
    WireWriter request;
    request.byte(kColumnNames);
    request.text(table);
    const std::string answer = m_reader.request(request.bytes());
    try {
        WireReader in(answer);
        auto names = in.texts();
        in.finish();
        return names;
    } catch (const WireError&) {
        throw corruptDatabase(m_path, "a resposta da leitura veio incompleta");
    }
}

void IsolatedAccessSource::readRows(std::string_view table, const std::optional<TextMatch>& match,
                                    std::size_t limit, const RowVisitor& visit) {
    WireWriter request;
    request.byte(kRows);
    request.text(table);
    request.byte(match ? 1 : 0);
    if (match) {
        request.count(match->column);
        request.text(match->text);
    }
    request.count(std::min(limit, kWireEveryRow));
    const std::string answer = m_reader.request(request.bytes());
    // An answer that does not decode is a fault of the reading, reported as such.
    try {
        WireReader in(answer);
        WireRow row;
        while (!in.atEnd()) {
            row.readFrom(in);
            visit(row);
        }
    } catch (const WireError&) {
        throw corruptDatabase(m_path, "a resposta da leitura veio incompleta");
    }
}

} // namespace refdata
