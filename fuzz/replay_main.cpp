// Replays fuzz inputs through a fuzz target without libFuzzer, so the ordinary build checks the
// committed corpora under ctest. Arguments: files or folders of inputs.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::size_t replayed = 0;
    const auto replay = [&replayed](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    };
    for (int i = 1; i < argc; ++i) {
        if (fs::is_regular_file(argv[i])) {
            replay(argv[i]);
            continue;
        }
        // A missing input throws: a corpus that went away fails the replay.
        for (const auto& entry : fs::directory_iterator(argv[i])) {
            replay(entry.path());
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return replayed > 0 ? 0 : 1;
}
