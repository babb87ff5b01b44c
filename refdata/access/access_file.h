#pragma once

#include "refdata/access/access_file_check.h"
#include "refdata/table_source.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// libmdb's types, kept out of every other header.
struct S_MdbTableDef;

namespace refdata {

class AccessTable;

// An Access file opened through libmdb, checked before libmdb reads it and kept open for
// the lookups that follow. Every table is read anew from the file when it is opened.
class AccessFile final : public TableSource {
public:
    explicit AccessFile(std::filesystem::path file);
    ~AccessFile() override;
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    const std::filesystem::path& path() const override { return m_path; }
    std::vector<std::string> columnNames(std::string_view table) override;
    void readRows(std::string_view table, const std::optional<TextMatch>& match, std::size_t limit,
                  const RowVisitor& visit) override;

private:
    // The user table of this name (ASCII case ignored), positioned before its first row.
    // Throws DatabaseFailure when the file has no such table or it cannot be read.
    std::unique_ptr<AccessTable> openTable(std::string_view name);

    friend class AccessTable;
    struct Handle;

    void checkCatalog();
    void checkDataPages(S_MdbTableDef* table, std::string_view name);

    std::filesystem::path m_path;
    AccessFileShape m_shape;
    std::unique_ptr<Handle> m_handle;
    // Tables whose page references were found inside the file. The file is opened read-only
    // and never changes under the open handle, so each table is checked once.
    std::vector<std::string> m_checkedTables;
};

// One pass over a table's rows in stored order. The values of the current row are those
// of the last successful next().
class AccessTable final : public RowValues {
public:
    AccessTable(AccessFile& file, S_MdbTableDef* table, std::string name);
    ~AccessTable() override;
    AccessTable(const AccessTable&) = delete;
    AccessTable& operator=(const AccessTable&) = delete;

    const std::vector<std::string>& columnNames() const { return m_columnNames; }
    const std::string& name() const { return m_name; }

    // Moves to the next row; false after the last. A table that ends before the number of
    // rows its definition declares is damaged: DatabaseFailure.
    bool next();
    // Moves to the next row whose column holds exactly this text (a null matches nothing);
    // false after the last. Rows are compared as stored where possible, without converting
    // every text: this is the scan behind each lookup.
    bool nextWhereTextIs(std::size_t column, std::string_view wanted);

    std::size_t columnCount() const override { return m_columnNames.size(); }
    StoredValue value(std::size_t column) const override;
    std::size_t position() const override { return m_rowNumber; }

private:
    struct Field {
        bool isNull = true;
        int start = 0;
        int size = 0;
    };

    void crackCurrentRow() const;
    const Field& field(std::size_t column) const;
    std::string decodedText(const Field& stored) const;
    StoredValue valueOf(std::size_t column, const Field& stored) const;
    // A fixed-size value shorter than its type means a damaged row.
    void requireWidth(std::size_t column, int width) const;
    [[noreturn]] void unsupportedType(std::size_t column) const;

    AccessFile& m_file;
    S_MdbTableDef* m_table;
    std::string m_name;
    std::vector<std::string> m_columnNames;
    std::vector<int> m_columnTypes;
    mutable std::vector<Field> m_fields;
    mutable bool m_cracked = false;
    std::size_t m_rowNumber = 0;
    mutable std::vector<char> m_textBuffer;
};

} // namespace refdata
