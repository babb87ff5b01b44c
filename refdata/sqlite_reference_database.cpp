#include "refdata/sqlite_reference_database.h"

#include "refdata/database_message.h"
#include "refdata/table_layout.h"
#include "refdata/value_text.h"

namespace refdata {

// One prepared query whose rows start with the rowid, then the table's columns. The
// RowValues columns count from the table's first column.
class SqliteReferenceDatabase::Query final : public RowValues {
public:
    Query(SqliteReferenceDatabase& database, std::string_view table,
          const std::vector<std::string>& columnNames, const char* sql)
        : m_database(database), m_table(table), m_columnNames(columnNames) {
        sqlite3_stmt* statement = nullptr;
        const int code = sqlite3_prepare_v2(database.m_db.get(), sql, -1, &statement, nullptr);
        m_statement.reset(statement);
        if (code != SQLITE_OK) {
            database.fail(code);
        }
    }

    void bind(std::string_view text) {
        const int code = sqlite3_bind_text(m_statement.get(), 1, text.data(),
                                           static_cast<int>(text.size()), SQLITE_TRANSIENT);
        if (code != SQLITE_OK) {
            m_database.fail(code);
        }
    }

    bool next() {
        const int code = sqlite3_step(m_statement.get());
        if (code == SQLITE_ROW) {
            return true;
        }
        if (code != SQLITE_DONE) {
            m_database.fail(code);
        }
        return false;
    }

    RowPlace place() const {
        return {m_database.m_path, m_table, m_columnNames,
                static_cast<std::size_t>(sqlite3_column_int64(m_statement.get(), 0))};
    }

    bool isNull(std::size_t column) const override { return type(column) == SQLITE_NULL; }

    std::string text(std::size_t column) const override {
        const int at = static_cast<int>(column) + 1;
        switch (type(column)) {
        case SQLITE_INTEGER:
            return integerText(sqlite3_column_int64(m_statement.get(), at));
        case SQLITE_FLOAT:
            return numberText(sqlite3_column_double(m_statement.get(), at));
        case SQLITE_TEXT:
            return std::string(
                reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), at)),
                static_cast<std::size_t>(sqlite3_column_bytes(m_statement.get(), at)));
        case SQLITE_NULL:
            return {};
        default:
            throw databaseError(m_database.m_path, "a linha " + std::to_string(place().row) +
                                                       " da tabela " + inQuotes(m_table) +
                                                       " tem na coluna " +
                                                       inQuotes(m_columnNames[column]) +
                                                       " um valor binário que o programa não lê");
        }
    }

    std::optional<double> number(std::size_t column) const override {
        const int at = static_cast<int>(column) + 1;
        switch (type(column)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement.get(), at);
        case SQLITE_TEXT:
            return parseNumberText(text(column));
        default:
            return std::nullopt;
        }
    }

private:
    int type(std::size_t column) const {
        return sqlite3_column_type(m_statement.get(), static_cast<int>(column) + 1);
    }

    SqliteReferenceDatabase& m_database;
    std::string_view m_table;
    const std::vector<std::string>& m_columnNames;
    SqliteStatement m_statement;
};

SqliteReferenceDatabase::SqliteReferenceDatabase(std::filesystem::path file)
    : m_path(std::move(file)) {
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(m_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    m_db.reset(db);
    if (code != SQLITE_OK) {
        fail(code);
    }
}

void SqliteReferenceDatabase::fail(int code) const {
    const std::string detail = m_db ? sqlite3_errmsg(m_db.get()) : sqlite3_errstr(code);
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        throw corruptDatabase(m_path, "SQLite: " + detail);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw databaseError(m_path, "o arquivo não pôde ser aberto (SQLite: " + detail + ")");
    default:
        throw databaseError(m_path, "o arquivo não pôde ser lido (SQLite: " + detail + ")");
    }
}

std::vector<std::string> SqliteReferenceDatabase::columnsOf(std::string_view table) {
    // The table name is one of the program's own constants, never data.
    const std::string sql = "SELECT * FROM " + std::string(table);
    {
        sqlite3_stmt* statement = nullptr;
        const int code = sqlite3_prepare_v2(
            m_db.get(),
            "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 "
            "COLLATE NOCASE",
            -1, &statement, nullptr);
        SqliteStatement owned(statement);
        if (code != SQLITE_OK) {
            fail(code);
        }
        sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()),
                          SQLITE_TRANSIENT);
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE) {
            throw databaseError(m_path, "o arquivo não tem a tabela " + inQuotes(table));
        }
        if (step != SQLITE_ROW) {
            fail(step);
        }
    }
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &statement, nullptr);
    SqliteStatement owned(statement);
    if (code != SQLITE_OK) {
        fail(code);
    }
    std::vector<std::string> names;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        names.emplace_back(sqlite3_column_name(statement, i));
    }
    return names;
}

std::vector<StationListItem> SqliteReferenceDatabase::allStations() {
    const auto names = columnsOf(kStationTable);
    requirePositions(m_path, kStationTable, names, 3);
    Query query(*this, kStationTable, names, "SELECT rowid, * FROM zeb ORDER BY rowid");
    std::vector<StationListItem> stations;
    while (query.next()) {
        stations.push_back(readStationListItem(query, query.place()));
    }
    return stations;
}

std::vector<std::string> SqliteReferenceDatabase::allLandClasses() {
    const auto names = columnsOf(kCurveNumberTable);
    requirePositions(m_path, kCurveNumberTable, names, 2);
    Query query(*this, kCurveNumberTable, names, "SELECT rowid, * FROM cn ORDER BY rowid");
    std::vector<std::string> classes;
    while (query.next()) {
        classes.push_back(readLandClass(query, query.place()));
    }
    return classes;
}

std::vector<std::string> SqliteReferenceDatabase::landClassesOfZone(std::string_view zone) {
    const auto names = columnsOf(kCurveNumberTable);
    requirePositions(m_path, kCurveNumberTable, names, 2);
    requireColumn(m_path, kCurveNumberTable, names, "zona");
    Query query(*this, kCurveNumberTable, names,
                "SELECT rowid, * FROM cn WHERE zona = ?1 ORDER BY rowid");
    query.bind(zone);
    std::vector<std::string> classes;
    while (query.next()) {
        classes.push_back(readLandClass(query, query.place()));
    }
    return classes;
}

std::optional<StationRecord> SqliteReferenceDatabase::findStationByName(std::string_view name) {
    const auto names = columnsOf(kStationTable);
    const auto columns = stationColumns(m_path, names);
    Query query(*this, kStationTable, names,
                "SELECT rowid, * FROM zeb WHERE nome = ?1 ORDER BY rowid LIMIT 1");
    query.bind(name);
    if (!query.next()) {
        return std::nullopt;
    }
    return readStationRecord(query, columns, query.place());
}

std::optional<double> SqliteReferenceDatabase::findCurveNumber(std::string_view landClass) {
    const auto names = columnsOf(kCurveNumberTable);
    requirePositions(m_path, kCurveNumberTable, names, 2);
    requireColumn(m_path, kCurveNumberTable, names, "terreno");
    CurveNumberColumns columns;
    columns.cn = requireColumn(m_path, kCurveNumberTable, names, "cn");
    Query query(*this, kCurveNumberTable, names,
                "SELECT rowid, * FROM cn WHERE terreno = ?1 ORDER BY rowid LIMIT 1");
    query.bind(landClass);
    if (!query.next()) {
        return std::nullopt;
    }
    return readCurveNumber(query, columns, query.place());
}

} // namespace refdata
