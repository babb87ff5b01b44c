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
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path argument = argv[i];
        std::error_code error;
        const bool folder = std::filesystem::is_directory(argument, error);
        if (!folder && !std::filesystem::is_regular_file(argument, error)) {
            std::cerr << "replay: " << argument << " is no input\n";
            return 1;
        }
        auto replay = [&replayed](const std::filesystem::path& file) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        };
        if (!folder) {
            replay(argument);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(argument)) {
            replay(entry.path());
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return replayed > 0 ? 0 : 1;
}
