#include "tests/refdata/test_reader.h"

#include "refdata/database_message.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace refdata::test {

namespace {

ChildService::Server openTestReading(const std::filesystem::path&) {
    using namespace std::chrono_literals;
    return [count = 0](std::string_view request) mutable -> std::string {
        if (request == "refuse") {
            throw DatabaseFailure("Banco de dados /dados/zeb.mdb: recusado.");
        }
        for (std::vector<std::string> blocks; request == "grow";) {
            blocks.emplace_back(std::size_t{8} << 20, 'x');
        }
        if (request == "crash") {
            *static_cast<volatile int*>(nullptr) = 1; // a crash, as the library's
        }
        std::this_thread::sleep_for(request == "hang" ? 1h : 0s);
        return std::to_string(++count);
    };
}

} // namespace

const ChildService kTestReading{"zeb-test-reader", "test", openTestReading};

} // namespace refdata::test
