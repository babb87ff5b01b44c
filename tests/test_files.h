#pragma once

// Files for every test: whole-file reads and writes, and a temporary folder of the test's own.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zebtest {

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fixture's bytes, from tests/data.
inline std::string dataFile(std::string_view name) {
    return readFile(std::filesystem::path(ZEB_TEST_DATA_DIR) / name);
}

// Replaces the file's bytes; false when they could not all be written.
inline bool writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.flush().good();
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("zeb-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        // Each entry is removed once, contents before their folder, and what will not go stays.
        // Not remove_all: where a removed file stays listed while the system still holds it
        // (seen under Wine), libstdc++'s remove_all tries again for ever.
        std::vector<fs::path> entries;
        for (fs::recursive_directory_iterator it(m_path, ignored), end; !ignored && it != end;
             it.increment(ignored)) {
            entries.push_back(it->path());
        }
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            fs::remove(*entry, ignored);
        }
        fs::remove(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace zebtest
