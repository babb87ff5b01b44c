#include "refdata/access/access_file.h"

#include "refdata/access/access_library.h"
#include "refdata/access/access_text.h"
#include "refdata/database_message.h"
#include "refdata/value_text.h"
#include "util/text.h"
#include "util/utf8.h"

#include <mdbtools.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace refdata {

namespace {

// Row offsets in a data page carry two flag bits (deleted, overflow) above the offset.
constexpr int kRowOffsetMask = 0x1fff;

// UTF-8 to UTF-16LE; none for text that is not valid UTF-8.
std::optional<std::string> utf16LittleEndian(std::string_view utf8) {
    std::string out;
    out.reserve(2 * utf8.size());
    const auto put = [&out](unsigned int unit) {
        out += static_cast<char>(unit & 0xff);
        out += static_cast<char>(unit >> 8);
    };
    while (!utf8.empty()) {
        const util::Utf8Character character = util::readUtf8Character(utf8);
        // Outside UCS-2, which is what libmdb converts: let libmdb compare it.
        if (!character.valid || character.codePoint >= 0x10000) {
            return std::nullopt;
        }
        put(static_cast<unsigned int>(character.codePoint));
        utf8.remove_prefix(character.length);
    }
    return out;
}

std::string takeGlibString(char* text) {
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

} // namespace

struct AccessFile::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb) {
            mdb_close(mdb);
        }
    }
};

AccessFile::AccessFile(std::filesystem::path file)
    : m_path(std::move(file)), m_shape(checkAccessFile(m_path)),
      m_handle(std::make_unique<Handle>()) {
    useUtf8InAccessLibrary();
    const auto name = accessLibraryFileName(m_path);
    if (!name) {
        throw databaseError(m_path, "o nome do arquivo tem caracteres que a biblioteca de leitura "
                                    "Access não aceita; copie-o para um nome sem eles");
    }
    m_handle->mdb = mdb_open(name->c_str(), MDB_NOFLAGS);
    if (!m_handle->mdb) {
        throw corruptDatabase(m_path, "a biblioteca de leitura Access recusou o arquivo");
    }
    if (static_cast<std::size_t>(m_handle->mdb->fmt->pg_size) != m_shape.pageSize) {
        throw corruptDatabase(m_path, "tamanho de página inesperado");
    }
    checkCatalog();
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE)) {
        throw corruptDatabase(m_path, "o catálogo de tabelas não pôde ser lido");
    }
}

AccessFile::~AccessFile() = default;

void AccessFile::checkCatalog() {
    // The system catalog is itself a table whose definition sits on page 2. Reading it
    // completely before libmdb builds its catalog from it catches a file cut short.
    MdbCatalogEntry entry{};
    entry.mdb = m_handle->mdb;
    std::strcpy(entry.object_name, "MSysObjects");
    entry.object_type = MDB_TABLE;
    entry.table_pg = 2;
    MdbTableDef* table = mdb_read_table(&entry);
    if (!table) {
        throw corruptDatabase(m_path, "o catálogo de tabelas não pôde ser lido");
    }
    AccessTable catalog(*this, table, "MSysObjects");
    while (catalog.next()) {
    }
}

void AccessFile::checkDataPages(MdbTableDef* table, std::string_view name) {
    // Every page the table's usage map names must lie inside the file, so libmdb never
    // reads past the end of a truncated copy.
    if (!table->usage_map || std::ranges::find(m_checkedTables, name) != m_checkedTables.end()) {
        return;
    }
    // libmdb answers the next page after the one given, and 0 when there is none.
    guint32 previous = 0;
    for (;;) {
        const gint32 page = mdb_map_find_next(m_handle->mdb, table->usage_map,
                                              static_cast<unsigned int>(table->map_sz), previous);
        if (page <= 0 || static_cast<guint32>(page) <= previous) {
            m_checkedTables.emplace_back(name);
            return;
        }
        if (static_cast<std::uintmax_t>(page) >= m_shape.pageCount) {
            throw corruptDatabase(m_path, "a tabela " + inQuotes(name) + " aponta para a página " +
                                              std::to_string(page) + ", além do fim do arquivo");
        }
        previous = static_cast<guint32>(page);
    }
}

std::vector<std::string> AccessFile::columnNames(std::string_view table) {
    return openTable(table)->columnNames();
}

void AccessFile::readRows(std::string_view table, const std::optional<TextMatch>& match,
                          std::size_t limit, const RowVisitor& visit) {
    const auto rows = openTable(table);
    for (std::size_t given = 0; given < limit; ++given) {
        if (!(match ? rows->nextWhereTextIs(match->column, match->text) : rows->next())) {
            return;
        }
        visit(*rows);
    }
}

std::unique_ptr<AccessTable> AccessFile::openTable(std::string_view name) {
    MdbHandle* mdb = m_handle->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE ||
            !util::sameIgnoringAsciiCase(entry->object_name, name)) {
            continue;
        }
        if (entry->table_pg >= m_shape.pageCount) {
            throw corruptDatabase(m_path, "a definição da tabela " + inQuotes(name) +
                                              " está além do fim do arquivo");
        }
        MdbTableDef* table = mdb_read_table(entry);
        if (!table) {
            throw corruptDatabase(m_path,
                                  "a definição da tabela " + inQuotes(name) + " não pôde ser lida");
        }
        return std::make_unique<AccessTable>(*this, table, std::string(name));
    }
    throw databaseError(m_path, "o arquivo não tem a tabela " + inQuotes(name));
}

AccessTable::AccessTable(AccessFile& file, MdbTableDef* table, std::string name)
    : m_file(file), m_table(table), m_name(std::move(name)) {
    // Owned from here on, so every throw below releases it.
    if (!mdb_read_columns(m_table) || m_table->num_cols > MDB_MAX_COLS ||
        m_table->columns->len != m_table->num_cols) {
        mdb_free_tabledef(m_table);
        throw corruptDatabase(m_file.m_path, "as colunas da tabela " + inQuotes(m_name) +
                                                 " não puderam ser lidas");
    }
    try {
        m_file.checkDataPages(m_table, m_name);
    } catch (...) {
        mdb_free_tabledef(m_table);
        throw;
    }
    for (unsigned int i = 0; i < m_table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i));
        m_columnNames.emplace_back(column->name);
        m_columnTypes.push_back(column->col_type);
    }
    m_fields.resize(m_table->num_cols);
    mdb_rewind_table(m_table);
}

AccessTable::~AccessTable() {
    mdb_free_tabledef(m_table);
}

bool AccessTable::next() {
    if (!mdb_fetch_row(m_table)) {
        if (m_rowNumber != m_table->num_rows) {
            throw corruptDatabase(m_file.m_path,
                                  "a tabela " + inQuotes(m_name) + " declara " +
                                      std::to_string(m_table->num_rows) + " linhas, mas só " +
                                      std::to_string(m_rowNumber) + " puderam ser lidas");
        }
        return false;
    }
    ++m_rowNumber;
    m_cracked = false;
    return true;
}

bool AccessTable::nextWhereTextIs(std::size_t column, std::string_view wanted) {
    MdbHandle* mdb = m_table->entry->mdb;
    const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, column));
    // Jet4 and later keep text as UTF-16; the wanted text in that form is compared with the
    // stored bytes directly. Compressed texts and Jet3's code pages go through libmdb.
    const auto stored = m_columnTypes[column] == MDB_TEXT && !IS_JET3(mdb)
                            ? utf16LittleEndian(wanted)
                            : std::nullopt;
    const int pageSize = static_cast<int>(m_file.m_shape.pageSize);
    while (next()) {
        // libmdb's fetch leaves each value's place in the page; a length of 0 is a null or
        // an empty text, which only a full split of the row tells apart.
        const int start = col->cur_value_start;
        const int size = col->cur_value_len;
        if (size == 0 || start < 0 || size < 0 || start + size > pageSize) {
            const StoredValue found = value(column);
            if (!std::holds_alternative<std::monostate>(found) && valueText(found) == wanted) {
                return true;
            }
            continue;
        }
        const unsigned char* bytes = mdb->pg_buf + start;
        const bool compressed = size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
        if (stored && !compressed) {
            if (static_cast<std::size_t>(size) == stored->size() &&
                std::memcmp(bytes, stored->data(), stored->size()) == 0) {
                return true;
            }
            continue;
        }
        if (valueText(valueOf(column, {false, start, size})) == wanted) {
            return true;
        }
    }
    return false;
}

void AccessTable::crackCurrentRow() const {
    // libmdb's fetch leaves no trace of which values are null (an empty text and a null text
    // look alike), so the row it has just read is split into fields again here.
    MdbHandle* mdb = m_table->entry->mdb;
    int start = 0;
    std::size_t length = 0;
    // Reused from row to row: clearing it for every row would cost more than the read.
    static thread_local std::array<MdbField, MDB_MAX_COLS> fields;
    if (m_table->cur_row == 0 ||
        mdb_find_row(mdb, static_cast<int>(m_table->cur_row - 1), &start, &length) != 0) {
        throw corruptDatabase(m_file.m_path, "a linha " + std::to_string(m_rowNumber) +
                                                 " da tabela " + inQuotes(m_name) +
                                                 " não pôde ser lida");
    }
    const int count = mdb_crack_row(m_table, start & kRowOffsetMask, length, fields.data());
    if (count < static_cast<int>(m_table->num_cols)) {
        throw corruptDatabase(m_file.m_path, "a linha " + std::to_string(m_rowNumber) +
                                                 " da tabela " + inQuotes(m_name) +
                                                 " não pôde ser lida");
    }
    const int pageSize = static_cast<int>(m_file.m_shape.pageSize);
    for (unsigned int i = 0; i < m_table->num_cols; ++i) {
        const MdbField& source = fields[i];
        if (source.colnum < 0 || source.colnum >= static_cast<int>(m_table->num_cols) ||
            (!source.is_null &&
             (source.start < 0 || source.siz < 0 || source.start + source.siz > pageSize))) {
            throw corruptDatabase(m_file.m_path, "a linha " + std::to_string(m_rowNumber) +
                                                     " da tabela " + inQuotes(m_name) +
                                                     " está danificada");
        }
        m_fields[static_cast<std::size_t>(source.colnum)] = {source.is_null != 0, source.start,
                                                             source.siz};
    }
    m_cracked = true;
}

const AccessTable::Field& AccessTable::field(std::size_t column) const {
    if (!m_cracked) {
        crackCurrentRow();
    }
    return m_fields.at(column);
}

void AccessTable::requireWidth(std::size_t column, int width) const {
    if (field(column).size < width) {
        throw corruptDatabase(m_file.m_path, "a linha " + std::to_string(m_rowNumber) +
                                                 " da tabela " + inQuotes(m_name) +
                                                 " está danificada");
    }
}

void AccessTable::unsupportedType(std::size_t column) const {
    throw databaseError(m_file.m_path, "a coluna " + inQuotes(m_columnNames[column]) +
                                           " da tabela " + inQuotes(m_name) +
                                           " tem um tipo de dado que o programa não lê");
}

std::string AccessTable::decodedText(const Field& stored) const {
    MdbHandle* mdb = m_table->entry->mdb;
    if (!IS_JET3(mdb)) {
        return textFromStoredUtf16({reinterpret_cast<const char*>(mdb->pg_buf + stored.start),
                                    static_cast<std::size_t>(stored.size)});
    }
    // Jet3 keeps texts in a code page, which the library converts.
    m_textBuffer.resize(3 * static_cast<std::size_t>(stored.size) + 4);
    const int written = mdb_unicode2ascii(
        mdb, reinterpret_cast<const char*>(mdb->pg_buf + stored.start),
        static_cast<std::size_t>(stored.size), m_textBuffer.data(), m_textBuffer.size());
    return std::string(m_textBuffer.data(), static_cast<std::size_t>(std::max(written, 0)));
}

StoredValue AccessTable::value(std::size_t column) const {
    const Field& stored = field(column);
    if (stored.isNull) {
        return std::monostate{};
    }
    return valueOf(column, stored);
}

StoredValue AccessTable::valueOf(std::size_t column, const Field& stored) const {
    MdbHandle* mdb = m_table->entry->mdb;
    const unsigned char* bytes = mdb->pg_buf + stored.start;
    switch (m_columnTypes[column]) {
    case MDB_TEXT:
        return decodedText(stored);
    case MDB_BYTE:
        requireWidth(column, 1);
        return std::int64_t{bytes[0]};
    case MDB_INT:
        requireWidth(column, 2);
        return std::int64_t{static_cast<std::int16_t>(mdb_get_int16(mdb->pg_buf, stored.start))};
    case MDB_LONGINT:
        requireWidth(column, 4);
        return std::int64_t{static_cast<std::int32_t>(mdb_get_int32(mdb->pg_buf, stored.start))};
    case MDB_FLOAT:
        requireWidth(column, 4);
        return mdb_get_single(mdb->pg_buf, stored.start);
    case MDB_DOUBLE:
        requireWidth(column, 8);
        return mdb_get_double(mdb->pg_buf, stored.start);
    case MDB_MONEY:
        requireWidth(column, 8);
        return takeGlibString(mdb_money_to_string(mdb, stored.start));
    case MDB_NUMERIC: {
        requireWidth(column, 17);
        const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, column));
        return takeGlibString(
            mdb_numeric_to_string(mdb, stored.start, col->col_scale, col->col_prec));
    }
    default:
        unsupportedType(column);
    }
}

} // namespace refdata
