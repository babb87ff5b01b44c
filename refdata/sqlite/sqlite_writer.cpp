#include "refdata/sqlite/sqlite_writer.h"

#include "refdata/database_message.h"
#include "refdata/sqlite/sqlite_handle.h"

#include "util/file_replacement.h"
#include "util/path_text.h"

#include <optional>
#include <string>

namespace refdata {

namespace {

constexpr const char* kSchema = R"(
CREATE TABLE zeb (codigo TEXT, nome TEXT, estado TEXT,
                  a REAL, b REAL, c REAL, B5 REAL, B15 REAL, B30 REAL, Bm REAL,
                  "idf-K" REAL, "idf-m" REAL, "idf-t0" REAL, "idf-n" REAL, "idf-fonte" TEXT);
CREATE TABLE cn (id INTEGER, terreno TEXT, zona TEXT, cn REAL);
)";
constexpr const char* kIndexes = R"(
CREATE INDEX zeb_nome ON zeb (nome);
CREATE INDEX cn_terreno ON cn (terreno);
)";

// A writer over one temporary database file that replaces the target on commit; anything that
// fails throws with the reason, and the temporary file goes with the writer.
class TemporaryDatabase {
public:
    TemporaryDatabase(const std::filesystem::path& target)
        : m_target(target), m_replacement(start(target)) {
        sqlite3* db = nullptr;
        const int code = sqlite3_open_v2(util::utf8FromPath(m_replacement->temporaryPath()).c_str(),
                                         &db, SQLITE_OPEN_READWRITE, nullptr);
        m_db.reset(db);
        check(code);
        // Nothing to roll back into: a failed build is thrown away whole.
        execute("PRAGMA journal_mode = OFF");
    }

    void execute(const char* sql) {
        check(sqlite3_exec(m_db.get(), sql, nullptr, nullptr, nullptr));
    }

    SqliteStatement prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        const int code = sqlite3_prepare_v2(m_db.get(), sql, -1, &statement, nullptr);
        SqliteStatement owned(statement);
        check(code);
        return owned;
    }

    void bindText(sqlite3_stmt* statement, int index, const std::optional<std::string>& text) {
        check(text ? sqlite3_bind_text(statement, index, text->data(),
                                       static_cast<int>(text->size()), SQLITE_TRANSIENT)
                   : sqlite3_bind_null(statement, index));
    }

    void bindNumber(sqlite3_stmt* statement, int index, const std::optional<double>& number) {
        check(number ? sqlite3_bind_double(statement, index, *number)
                     : sqlite3_bind_null(statement, index));
    }

    void insert(sqlite3_stmt* statement) {
        const int code = sqlite3_step(statement);
        if (code != SQLITE_DONE) {
            check(code);
        }
        sqlite3_reset(statement);
    }

    // Closes the database and puts it in the target's place.
    void commitAs() {
        check(sqlite3_close(m_db.get()));
        m_db.release();
        if (const auto reason = m_replacement->commit()) {
            fail(reason->message);
        }
    }

private:
    util::FileReplacement start(const std::filesystem::path& target) {
        auto started = util::FileReplacement::begin(target);
        if (!started) {
            fail(started.failure().message);
        }
        return std::move(*started);
    }

    void check(int code) {
        if (code != SQLITE_OK) {
            fail(m_db ? sqlite3_errmsg(m_db.get()) : sqlite3_errstr(code));
        }
    }

    [[noreturn]] void fail(const std::string& reason) {
        throw databaseError(m_target, "não foi possível gravar o arquivo (" + reason + ")");
    }

    std::filesystem::path m_target;
    std::optional<util::FileReplacement> m_replacement;
    SqliteConnection m_db;
};

} // namespace

void writeSqliteDatabase(const std::filesystem::path& file, const ReferenceTables& tables) {
    TemporaryDatabase database(file);
    database.execute("BEGIN");
    database.execute(kSchema);

    auto station =
        database.prepare("INSERT INTO zeb VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
                         "?12, ?13, ?14, ?15)");
    for (const auto& row : tables.stations) {
        database.bindText(station.get(), 1, row.code);
        database.bindText(station.get(), 2, row.name);
        database.bindText(station.get(), 3, row.state);
        const auto& k = row.coefficients;
        int index = 4;
        for (const auto& value : {k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm}) {
            database.bindNumber(station.get(), index++, value);
        }
        for (const auto& value : row.idf) {
            database.bindNumber(station.get(), index++, value);
        }
        database.bindText(station.get(), index, row.idfSource);
        database.insert(station.get());
    }

    auto curveNumber = database.prepare("INSERT INTO cn VALUES (?1, ?2, ?3, ?4)");
    for (const auto& row : tables.curveNumbers) {
        database.bindText(curveNumber.get(), 1, row.id);
        database.bindText(curveNumber.get(), 2, row.landClass);
        database.bindText(curveNumber.get(), 3, row.zone);
        database.bindNumber(curveNumber.get(), 4, row.curveNumber);
        database.insert(curveNumber.get());
    }
    station.reset();
    curveNumber.reset();

    database.execute(kIndexes);
    database.execute("COMMIT");
    database.commitAs();
}

} // namespace refdata
