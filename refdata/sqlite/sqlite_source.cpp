#include "refdata/sqlite/sqlite_source.h"

#include "refdata/database_message.h"
#include "util/path_text.h"
#include "util/system_error.h"
#include "util/utf8.h"

namespace refdata {

namespace {

// A name inside the SQL text, whatever it holds.
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

// The file as an SQLite URI that opens it read-only and immutable: no journal, no lock, no
// -wal or -shm file made beside it.
std::string immutableUri(const std::filesystem::path& file) {
    // With forward slashes, and a Windows drive as the URI's first part: file:///C:/x.
    const std::u8string name = std::filesystem::absolute(file).generic_u8string();
    std::string uri = name.starts_with(u8"/") ? "file://" : "file:///";
    for (const char c : util::utf8FromPath(name)) {
        uri += c == '%' ? "%25" : c == '?' ? "%3f" : c == '#' ? "%23" : std::string(1, c);
    }
    return uri + "?immutable=1";
}

std::string sizeText(std::size_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB"
                               : std::to_string(bytes >> 10) + " KiB";
}

std::string textOf(sqlite3_stmt* statement, int column) {
    return std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

} // namespace

// The current row of a statement whose columns are the rowid, then the table's columns.
class SqliteSource::Row final : public RowValues {
public:
    Row(SqliteSource& source, sqlite3_stmt* statement, std::string_view table,
        const std::vector<std::string>& columnNames)
        : m_source(source), m_statement(statement), m_table(table), m_columnNames(columnNames) {}

    std::size_t columnCount() const override { return m_columnNames.size(); }

    // The rowid means nothing to the user (it may be 0, or skip numbers); the row's place in
    // stored order does. Counted only for a message.
    std::size_t position() const override {
        const SqliteStatement count = m_source.prepare(
            "SELECT count(*) FROM " + quotedIdentifier(m_table) +
            " WHERE rowid <= " + std::to_string(sqlite3_column_int64(m_statement, 0)));
        return m_source.step(count.get())
                   ? static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0))
                   : 0;
    }

    StoredValue value(std::size_t column) const override {
        const int at = static_cast<int>(column) + 1;
        const int type = sqlite3_column_type(m_statement, at);
        // SQLite refuses a single value past its length limit; the rows of a read together
        // are bounded here.
        const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(m_statement, at));
        m_source.m_bytesRead += sizeof(StoredValue) + bytes;
        if (m_source.m_bytesRead > m_source.m_limits.readBytes) {
            throw readTooBig(m_source.m_path, m_source.m_limits.readBytes);
        }
        switch (type) {
        case SQLITE_INTEGER:
            return std::int64_t{sqlite3_column_int64(m_statement, at)};
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement, at);
        case SQLITE_TEXT: {
            std::string text = textOf(m_statement, at);
            if (!util::isUtf8(text)) {
                throw failure(column, "um texto que não está em UTF-8");
            }
            return text;
        }
        case SQLITE_NULL:
            return std::monostate{};
        default:
            throw failure(column, "um valor binário que o programa não lê");
        }
    }

private:
    DatabaseFailure failure(std::size_t column, const std::string& problem) const {
        return databaseError(m_source.m_path, "a linha " + std::to_string(position()) +
                                                  " da tabela " + inQuotes(m_table) +
                                                  " tem na coluna " +
                                                  inQuotes(m_columnNames[column]) + " " + problem);
    }

    SqliteSource& m_source;
    sqlite3_stmt* m_statement;
    std::string_view m_table;
    const std::vector<std::string>& m_columnNames;
};

// From the start of a read to its end, the time runs and the bytes handed over are counted.
class SqliteSource::Read {
public:
    explicit Read(SqliteSource& source) : m_source(source) {
        m_source.m_deadline = std::chrono::steady_clock::now() + m_source.m_limits.time;
        m_source.m_bytesRead = 0;
        m_source.m_timer->arm(m_source.m_deadline);
    }
    Read(const Read&) = delete;
    Read& operator=(const Read&) = delete;
    ~Read() { m_source.m_timer->disarm(); }

private:
    SqliteSource& m_source;
};

SqliteSource::SqliteSource(std::filesystem::path file, ReadLimits limits)
    : m_path(std::move(file)), m_limits(limits) {
    // The last changes of a database in WAL mode may still be in the file beside it, which an
    // immutable reading does not see.
    std::filesystem::path wal = m_path;
    wal += "-wal";
    std::error_code error;
    if (std::filesystem::file_size(wal, error) > 0 && !error) {
        throw databaseError(m_path, "as últimas alterações do banco estão em " +
                                        util::utf8FromPath(wal) +
                                        ", que o programa não lê; abra e feche o banco uma vez "
                                        "no programa que o gravou");
    }
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(immutableUri(m_path).c_str(), &db,
                                     SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    m_db.reset(db);
    if (code != SQLITE_OK) {
        fail(code);
    }
    // Sorting and temporary tables stay in memory, under the heap limit, instead of filling
    // the temporary folder; no text or blob SQLite makes or reads is longer than one value
    // may be; a read past its time is interrupted.
    sqlite3_hard_heap_limit64(static_cast<sqlite3_int64>(m_limits.memory));
    sqlite3_limit(m_db.get(), SQLITE_LIMIT_LENGTH, static_cast<int>(m_limits.valueBytes));
    if (const int pragma =
            sqlite3_exec(m_db.get(), "PRAGMA temp_store = MEMORY", nullptr, nullptr, nullptr);
        pragma != SQLITE_OK) {
        fail(pragma);
    }
    m_timer = std::make_unique<InterruptTimer>(m_db.get());
    checkIntegrity();
}

SqliteSource::Read SqliteSource::startRead() {
    return Read(*this);
}

void SqliteSource::checkIntegrity() {
    // A damaged page can hide rows without any read failing; the quick check is cheap at the
    // sizes of these files. It computes every computed column of every row, though, so a table
    // with one is refused first, whichever table it is.
    const Read read = startRead();
    const SqliteStatement computed =
        prepare("SELECT s.name FROM sqlite_schema AS s, pragma_table_xinfo(s.name) AS c "
                "WHERE s.type = 'table' AND s.sql NOT LIKE 'CREATE VIRTUAL%' AND c.hidden LIMIT 1");
    if (step(computed.get())) {
        throw databaseError(m_path, "a tabela " + inQuotes(textOf(computed.get(), 0)) +
                                        " tem colunas calculadas ou ocultas; só valores "
                                        "gravados são lidos");
    }
    const SqliteStatement check = prepare("PRAGMA quick_check(1)");
    if (step(check.get()) && textOf(check.get(), 0) != "ok") {
        throw corruptDatabase(m_path, "a verificação de integridade do SQLite encontrou danos");
    }
}

void SqliteSource::fail(int code) const {
    const int systemError = m_db ? sqlite3_system_errno(m_db.get()) : 0;
    const std::string reason = systemError != 0 ? ": " + util::systemErrorText(systemError) : "";
    switch (code & 0xff) {
    case SQLITE_INTERRUPT:
        throw readTooLong(m_path, m_limits.time);
    case SQLITE_NOMEM:
        throw readTooBig(m_path, m_limits.memory);
    case SQLITE_TOOBIG:
        throw corruptDatabase(m_path, "um valor passa de " + sizeText(m_limits.valueBytes));
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        throw corruptDatabase(m_path, "a estrutura do banco SQLite está danificada");
    case SQLITE_NOTADB:
        throw corruptDatabase(m_path, "o cabeçalho não é o de um banco SQLite");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw databaseError(m_path, "o arquivo não pôde ser aberto" + reason);
    case SQLITE_IOERR:
        throw databaseError(m_path, "erro de leitura do disco" + reason);
    default:
        // Our queries are fixed; what SQLite refuses here is a schema it cannot use.
        throw databaseError(
            m_path, "o SQLite não pôde ler as tabelas deste arquivo (" +
                        util::printable(m_db ? sqlite3_errmsg(m_db.get()) : sqlite3_errstr(code)) +
                        ")");
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

bool SqliteSource::step(sqlite3_stmt* statement) {
    const int code = sqlite3_step(statement);
    if (code != SQLITE_ROW && code != SQLITE_DONE) {
        fail(code);
    }
    // The timer interrupts a statement that is running; the time spent between steps counts
    // as well.
    if (std::chrono::steady_clock::now() > m_deadline) {
        fail(SQLITE_INTERRUPT);
    }
    return code == SQLITE_ROW;
}

void SqliteSource::checkTable(std::string_view table) {
    // A view or a virtual table may make its values without end: only stored values are read
    // (a computed column is refused on opening). The schema is asked about this table alone:
    // the column names of every view, which a list of all tables would work out, may cost more
    // than any read.
    const SqliteStatement found =
        prepare("SELECT type = 'table' AND sql NOT LIKE 'CREATE VIRTUAL%' FROM sqlite_schema "
                "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
    sqlite3_bind_text(found.get(), 1, table.data(), static_cast<int>(table.size()),
                      SQLITE_TRANSIENT);
    if (!step(found.get())) {
        throw databaseError(m_path, "o arquivo não tem a tabela " + inQuotes(table));
    }
    if (sqlite3_column_int(found.get(), 0) == 0) {
        throw databaseError(m_path, inQuotes(table) + " é uma view ou uma tabela virtual; só "
                                                      "uma tabela comum é lida");
    }
    // Rows are read in rowid order, which a table declared WITHOUT ROWID lacks.
    sqlite3_stmt* rowid = nullptr;
    const int code = sqlite3_prepare_v2(
        m_db.get(), ("SELECT rowid FROM " + quotedIdentifier(table)).c_str(), -1, &rowid, nullptr);
    sqlite3_finalize(rowid);
    if (code == SQLITE_ERROR) {
        throw databaseError(m_path, "a tabela " + inQuotes(table) +
                                        " não tem rowid (WITHOUT ROWID); só uma tabela comum "
                                        "é lida");
    }
    if (code != SQLITE_OK) {
        fail(code);
    }
}

std::vector<std::string> SqliteSource::columnNames(std::string_view table) {
    const Read read = startRead();
    checkTable(table);
    const SqliteStatement all = prepare("SELECT * FROM " + quotedIdentifier(table));
    return columnNamesOf(all.get(), 0);
}

void SqliteSource::readRows(std::string_view table, const std::optional<TextMatch>& match,
                            std::size_t limit, const RowVisitor& visit) {
    const Read read = startRead();
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
    const Row row(*this, statement.get(), table, names);
    while (step(statement.get())) {
        visit(row);
    }
}

} // namespace refdata
