#include "refdata/sqlite/sqlite_source.h"

#include "refdata/database_message.h"

namespace refdata {

namespace {

// A column name inside the SQL text, whatever it holds.
std::string quotedIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// The names of the statement's columns from `first` on.
std::vector<std::string> columnNamesOf(sqlite3_stmt* statement, int first) {
    std::vector<std::string> names;
    for (int i = first; i < sqlite3_column_count(statement); ++i) {
        names.emplace_back(sqlite3_column_name(statement, i));
    }
    return names;
}

} // namespace

// The current row of a statement whose columns are the rowid, then the table's columns.
class SqliteSource::Row final : public RowValues {
public:
    Row(sqlite3_stmt* statement, const std::filesystem::path& file, std::string_view table,
        const std::vector<std::string>& columnNames)
        : m_statement(statement), m_file(file), m_table(table), m_columnNames(columnNames) {}

    std::size_t columnCount() const override { return m_columnNames.size(); }

    std::size_t position() const override {
        return static_cast<std::size_t>(sqlite3_column_int64(m_statement, 0));
    }

    StoredValue value(std::size_t column) const override {
        const int at = static_cast<int>(column) + 1;
        switch (sqlite3_column_type(m_statement, at)) {
        case SQLITE_INTEGER:
            return std::int64_t{sqlite3_column_int64(m_statement, at)};
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement, at);
        case SQLITE_TEXT:
            return std::string(reinterpret_cast<const char*>(sqlite3_column_text(m_statement, at)),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_statement, at)));
        case SQLITE_NULL:
            return std::monostate{};
        default:
            throw databaseError(m_file, "a linha " + std::to_string(position()) + " da tabela " +
                                            inQuotes(m_table) + " tem na coluna " +
                                            inQuotes(m_columnNames[column]) +
                                            " um valor binário que o programa não lê");
        }
    }

private:
    sqlite3_stmt* m_statement;
    const std::filesystem::path& m_file;
    std::string_view m_table;
    const std::vector<std::string>& m_columnNames;
};

SqliteSource::SqliteSource(std::filesystem::path file) : m_path(std::move(file)) {
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(m_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    m_db.reset(db);
    if (code != SQLITE_OK) {
        fail(code);
    }
}

void SqliteSource::fail(int code) const {
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

SqliteStatement SqliteSource::prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &statement, nullptr);
    SqliteStatement owned(statement);
    if (code != SQLITE_OK) {
        fail(code);
    }
    return owned;
}

std::vector<std::string> SqliteSource::columnNames(std::string_view table) {
    {
        const SqliteStatement found = prepare("SELECT 1 FROM sqlite_master WHERE type IN "
                                              "('table', 'view') AND name = ?1 COLLATE NOCASE");
        sqlite3_bind_text(found.get(), 1, table.data(), static_cast<int>(table.size()),
                          SQLITE_TRANSIENT);
        const int step = sqlite3_step(found.get());
        if (step == SQLITE_DONE) {
            throw databaseError(m_path, "o arquivo não tem a tabela " + inQuotes(table));
        }
        if (step != SQLITE_ROW) {
            fail(step);
        }
    }
    const SqliteStatement all = prepare("SELECT * FROM " + quotedIdentifier(table));
    return columnNamesOf(all.get(), 0);
}

void SqliteSource::readRows(std::string_view table, const std::optional<TextMatch>& match,
                            std::size_t limit, const RowVisitor& visit) {
    std::string sql = "SELECT rowid, * FROM " + quotedIdentifier(table);
    if (match) {
        sql += " WHERE " + quotedIdentifier(match->columnName) + " = ?1";
    }
    sql += " ORDER BY rowid";
    if (limit != kEveryRow) {
        sql += " LIMIT " + std::to_string(limit);
    }
    const SqliteStatement statement = prepare(sql);
    if (match) {
        const int code = sqlite3_bind_text(statement.get(), 1, match->text.data(),
                                           static_cast<int>(match->text.size()), SQLITE_TRANSIENT);
        if (code != SQLITE_OK) {
            fail(code);
        }
    }
    const auto names = columnNamesOf(statement.get(), 1);
    const Row row(statement.get(), m_path, table, names);
    for (;;) {
        const int code = sqlite3_step(statement.get());
        if (code == SQLITE_DONE) {
            return;
        }
        if (code != SQLITE_ROW) {
            fail(code);
        }
        visit(row);
    }
}

} // namespace refdata
