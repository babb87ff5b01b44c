// Measures how the Access reader takes damaged files: mutated copies of the fixtures (bit
// flips, overwritten bytes and fields, zeroed or copied pages, truncation) are opened and every
// operation is run, each file in a child process so a crash or a hang is counted rather than
// fatal. Exits non-zero on any crash, hang, or failure that is not a DatabaseError naming the
// file.
//
// zeb_access_survey [--count N] [--seed S] [--keep DIR] [--in-process] FIXTURE...
//
// --in-process reads with the in-process reader, as the program did before Access files were
// read in a child process, for comparison.
#include "refdata/access_reference_database.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Outcomes a child reports through its exit status.
enum Outcome : int {
    kAnswered = 0,     // opened, and every operation answered
    kRefusedOpen = 1,  // refused when opened, with the file's message
    kRefusedLater = 2, // opened, but an operation was refused with the file's message
    kBadMessage = 3,   // a DatabaseError that does not name the file
    kOtherFailure = 4, // another exception
    kContained = 5,    // refused because the reading child crashed, hung or ran out of memory
};

// The reasons the reader gives when its child failed rather than the file being refused.
bool containedFailure(const refdata::DatabaseError& error) {
    const std::string message = error.what();
    for (const char* reason : {"(a leitura do arquivo terminou de forma anormal)",
                               "(a leitura não terminou em ", "(a leitura passou de "}) {
        if (message.find(reason) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Longer than the reader's own 30 s, so a hang it catches counts as a refusal.
constexpr auto kTimeout = std::chrono::seconds(60);

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed * 2654435761u + 1) {}
    std::uint64_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    std::size_t below(std::size_t limit) { return limit == 0 ? 0 : next() % limit; }

private:
    std::uint64_t m_state;
};

std::string mutated(const std::string& original, std::size_t kind, Random& random) {
    std::string bytes = original;
    const std::size_t pageSize = bytes.size() > 20 && bytes[0x14] == 0 ? 2048 : 4096;
    const std::size_t pages = bytes.size() / pageSize;
    switch (kind % 8) {
    case 0: // a few bit flips anywhere
        for (std::size_t i = 0, n = 1 + random.below(8); i < n; ++i) {
            bytes[random.below(bytes.size())] ^= static_cast<char>(1u << random.below(8));
        }
        break;
    case 1: // random bytes in the first pages: header, catalog definition
        for (std::size_t i = 0, n = 1 + random.below(16); i < n; ++i) {
            bytes[random.below(std::min(bytes.size(), 3 * pageSize))] =
                static_cast<char>(random.next());
        }
        break;
    case 2: { // a 16- or 32-bit field set to an extreme
        const std::size_t at = random.below(bytes.size() - 4);
        const char fill = random.below(2) == 0 ? '\xff' : '\0';
        for (std::size_t i = 0; i < (random.below(2) == 0 ? 2u : 4u); ++i) {
            bytes[at + i] = fill;
        }
        break;
    }
    case 3: // cut short, at a page boundary or anywhere
        bytes.resize(random.below(2) == 0 ? pageSize * random.below(pages)
                                          : random.below(bytes.size()));
        break;
    case 4: { // a page zeroed
        const std::size_t page = random.below(pages);
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(page * pageSize), pageSize, '\0');
        break;
    }
    case 5: { // a page copied over another
        const std::size_t from = random.below(pages);
        const std::size_t to = random.below(pages);
        bytes.replace(to * pageSize, pageSize, original, from * pageSize, pageSize);
        break;
    }
    case 6: // many random bytes anywhere
        for (std::size_t i = 0, n = 1 + random.below(64); i < n; ++i) {
            bytes[random.below(bytes.size())] = static_cast<char>(random.next());
        }
        break;
    default: // random bytes in one page's row-offset table and row area start
        for (std::size_t i = 0, n = 1 + random.below(8); i < n; ++i) {
            const std::size_t page = random.below(pages);
            bytes[page * pageSize + random.below(64)] = static_cast<char>(random.next());
        }
        break;
    }
    return bytes;
}

bool names(const refdata::DatabaseError& error, const fs::path& file) {
    return std::string(error.what()).rfind("Banco de dados " + file.string() + ": ", 0) == 0;
}

// Says what the unexpected failure was, for whoever reads the survey's output.
void describeOtherFailure(const char* where) {
    try {
        throw;
    } catch (const std::exception& error) {
        std::cout << "other failure in " << where << ": " << error.what() << std::endl;
    } catch (...) {
        std::cout << "other failure in " << where << ": not a std::exception" << std::endl;
    }
}

// The child's work: every operation the program makes of a reference database.
int survey(const fs::path& file, const fs::path& converted, bool inProcess) {
    std::unique_ptr<refdata::ReferenceDatabase> database;
    try {
        if (inProcess) {
            database = std::make_unique<refdata::AccessReferenceDatabase>(file);
        } else {
            database = refdata::openReferenceDatabase(file);
        }
    } catch (const refdata::DatabaseError& error) {
        if (!names(error, file)) {
            return kBadMessage;
        }
        return containedFailure(error) ? kContained : kRefusedOpen;
    } catch (...) {
        describeOtherFailure("opening");
        return kOtherFailure;
    }
    bool refused = false, contained = false, badMessage = false, otherFailure = false;
    const auto attempt = [&](const std::function<void()>& operation) {
        try {
            operation();
        } catch (const refdata::DatabaseError& error) {
            badMessage = badMessage || !names(error, file);
            contained = contained || containedFailure(error);
            refused = true;
        } catch (...) {
            describeOtherFailure("an operation");
            otherFailure = true;
        }
    };
    std::string station = "Posto";
    std::string landClass = "Mata";
    attempt([&] {
        if (const auto all = database->allStations(); !all.empty()) {
            station = all.front().nome;
        }
    });
    attempt([&] {
        if (const auto all = database->allLandClasses(); !all.empty()) {
            landClass = all.back();
        }
    });
    attempt([&] { database->landClassesOfZone("Rural"); });
    attempt([&] { database->landClassesOfZone("Urbana"); });
    attempt([&] { database->findStationByName(station); });
    attempt([&] { database->findCurveNumber(landClass); });
    attempt([&] {
        if (inProcess) {
            static_cast<refdata::AccessReferenceDatabase&>(*database).readAllTables();
        } else {
            refdata::convertAccessToSqlite(converted, file);
        }
    });
    return badMessage     ? kBadMessage
           : otherFailure ? kOtherFailure
           : contained    ? kContained
           : refused      ? kRefusedLater
                          : kAnswered;
}

struct Tally {
    std::size_t tried = 0, answered = 0, refusedOpen = 0, refusedLater = 0, contained = 0,
                badMessage = 0, otherFailure = 0, crashes = 0, hangs = 0;
};

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 200;
    std::uint64_t seed = 1;
    fs::path keep;
    bool inProcess = false;
    std::vector<std::string> fixtures;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--count" && i + 1 < argc) {
            count = std::stoul(argv[++i]);
        } else if (argument == "--seed" && i + 1 < argc) {
            seed = std::stoull(argv[++i]);
        } else if (argument == "--in-process") {
            inProcess = true;
        } else if (argument == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else {
            std::ifstream in(argument, std::ios::binary);
            fixtures.emplace_back(std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>());
            if (!in.good() && !in.eof()) {
                std::cerr << "cannot read " << argument << "\n";
                return 2;
            }
        }
    }
    if (fixtures.empty()) {
        std::cerr << "usage: zeb_access_survey [--count N] [--seed S] [--keep DIR] [--in-process] "
                     "FIXTURE...\n";
        return 2;
    }

    const fs::path folder = fs::temp_directory_path() / ("zeb-survey-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path file = folder / "zeb.mdb";
    const fs::path converted = folder / "converted.sqlite";
    Random random(seed);
    Tally tally;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string bytes =
            mutated(fixtures[i % fixtures.size()], i / fixtures.size(), random);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        fs::remove(converted);
        ++tally.tried;

        const pid_t child = fork();
        if (child == 0) {
            if (inProcess) {
                // A runaway allocation would otherwise take the machine's memory: past 4 GiB
                // it fails, and the library aborts (a crash here). Not for sanitizer builds,
                // whose shadow memory is far larger.
                const rlimit memory{std::size_t{4} << 30, std::size_t{4} << 30};
                ::setrlimit(RLIMIT_AS, &memory);
            }
            std::_Exit(survey(file, converted, inProcess));
        }
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + kTimeout;
        pid_t done = 0;
        while ((done = waitpid(child, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        bool failed = false;
        if (done == 0) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ++tally.hangs;
            failed = true;
        } else if (WIFSIGNALED(status) || !WIFEXITED(status) || WEXITSTATUS(status) > kContained) {
            ++tally.crashes;
            failed = true;
        } else {
            switch (WEXITSTATUS(status)) {
            case kAnswered:
                ++tally.answered;
                break;
            case kRefusedOpen:
                ++tally.refusedOpen;
                break;
            case kRefusedLater:
                ++tally.refusedLater;
                break;
            case kContained:
                ++tally.contained;
                break;
            case kBadMessage:
                ++tally.badMessage;
                failed = true;
                break;
            default:
                ++tally.otherFailure;
                failed = true;
                break;
            }
        }
        if (failed && !keep.empty()) {
            fs::create_directories(keep);
            fs::copy_file(file, keep / ("failure-" + std::to_string(i) + ".mdb"),
                          fs::copy_options::overwrite_existing);
        }
    }
    fs::remove_all(folder);

    std::cout << "mutated files tried:        " << tally.tried << "\n"
              << "opened, all operations answered: " << tally.answered << "\n"
              << "refused on opening:         " << tally.refusedOpen << "\n"
              << "refused by an operation:    " << tally.refusedLater << "\n"
              << "refused after the reading child crashed, hung or ran out of memory: "
              << tally.contained << "\n"
              << "message not naming the file: " << tally.badMessage << "\n"
              << "other failures:             " << tally.otherFailure << "\n"
              << "crashes:                    " << tally.crashes << "\n"
              << "hangs (over " << kTimeout.count() << " s):        " << tally.hangs << "\n";
    return tally.badMessage + tally.otherFailure + tally.crashes + tally.hangs == 0 ? 0 : 1;
}
