// The batch reader, over any bytes (the first picks one or two jobs): a bad header stops the
// batch with a reason and no output; otherwise every row is answered, and what is written holds
// no control character but the line ends, whatever the ids and values were.
#include "cli/batch.h"
#include "fuzz/harness.h"

#include <cstdint>
#include <sstream>

namespace {

// One station, "Posto A", code 7; any other name or code is missing.
class Stations : public cli::BatchStations {
public:
    Answer byName(const std::string& name) override { return answer(name == "Posto A", name); }
    Answer byCode(const std::string& code) override { return answer(code == "7", code); }

private:
    static Answer answer(bool found, const std::string& key) {
        if (!found) {
            return util::Failure{util::Failure::Kind::InvalidInput, "não há posto " + key};
        }
        return calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    std::ostringstream out;
    Stations stations;
    const auto ran = cli::runBatch(in, out, stations, 1 + data[0] % 2);
    const std::string written = out.str();
    if (!ran && ran.failure().kind == util::Failure::Kind::InvalidInput) {
        FUZZ_CHECK(written.empty() && !ran.failure().message.empty(),
                   "a refused header writes nothing and says why");
        return 0;
    }
    FUZZ_CHECK(ran, "a batch that reads its header answers every row");
    FUZZ_CHECK(written.starts_with("id,") && written.ends_with("\n"),
               "the result is the heading and whole rows");
    for (const char ch : written) {
        FUZZ_CHECK(ch == '\n' || (static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7f),
                   "no control character reaches the result");
    }
    return 0;
}
