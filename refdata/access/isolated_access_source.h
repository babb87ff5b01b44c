#pragma once

#include "refdata/access/child_process_reader.h"
#include "refdata/table_source.h"

#include <chrono>
#include <cstddef>
#include <filesystem>

namespace refdata {

// The reading child's service for Access files: AccessFile, opened in the child.
extern const ChildService kAccessReading;

// A legacy Access file read by AccessFile in a child process (see ChildProcessReader): the
// Access library is not hardened against damaged files, and a crash, hang or runaway
// allocation inside it must not take the program with it. Rows and failures are those of
// AccessFile; a child that fails reports the file as corrupt.
class IsolatedAccessSource final : public TableSource {
public:
    explicit IsolatedAccessSource(std::filesystem::path file, ReadLimits limits = {});

    const std::filesystem::path& path() const override { return m_path; }
    std::vector<std::string> columnNames(std::string_view table) override;
    void readRows(std::string_view table, const std::optional<TextMatch>& match, std::size_t limit,
                  const RowVisitor& visit) override;

private:
    std::filesystem::path m_path;
    ChildProcessReader m_reader;
};

} // namespace refdata
