#include "refdata/access/child_process_reader.h"

#include "refdata/database_message.h"
#include "util/system_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <exception>
#include <fstream>

#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace refdata {

namespace {

// Every message is a frame: its length (32 bits), a status byte and the bytes.
enum Status : char {
    kAnswer = 0,
    kDatabaseFailure = 1, // the bytes are the DatabaseFailure's message
    kOtherFailure = 2,    // the bytes are another exception's text
};

bool sendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a peer that is gone is an error here, not a SIGPIPE that ends us.
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool sendFrame(int socket, char status, std::string_view bytes) {
    const auto length = static_cast<std::uint32_t>(bytes.size() + 1);
    std::string frame(reinterpret_cast<const char*>(&length), sizeof length);
    frame += status;
    frame += bytes;
    return sendAll(socket, frame);
}

// What the reader watches while it waits for the child: the time and the child's memory.
struct Watch {
    std::chrono::steady_clock::time_point deadline;
    pid_t child = -1;
    std::size_t memoryLimit = 0;
    bool timedOut = false;
    bool tooMuchMemory = false;
};

// The child's resident memory in bytes, from /proc; 0 when it cannot be read.
std::size_t residentBytes(pid_t child) {
    std::ifstream statm("/proc/" + std::to_string(child) + "/statm");
    std::size_t pages = 0;
    std::size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Waits until the socket has bytes to read, looking at the child every tenth of a second;
// false when the time runs out or the child takes too much memory.
bool waitReadable(int socket, Watch& watch) {
    constexpr auto kSlice = std::chrono::milliseconds(100);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            watch.deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            watch.timedOut = true;
            return false;
        }
        pollfd ready{socket, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::min(left, kSlice).count()));
        if (polled > 0) {
            return true;
        }
        if (polled < 0 && errno != EINTR) {
            return false;
        }
        // A damaged file can make the library allocate without end; stop it well before it
        // takes the machine's memory.
        if (watch.memoryLimit > 0 && residentBytes(watch.child) > watch.memoryLimit) {
            watch.tooMuchMemory = true;
            return false;
        }
    }
}

// Reads exactly `size` bytes; false at the end of the stream or on an error, and, with a
// watch, once it fails.
bool receiveAll(int socket, char* data, std::size_t size, Watch* watch) {
    while (size > 0) {
        if (watch && !waitReadable(socket, *watch)) {
            return false;
        }
        const ssize_t got = ::recv(socket, data, size, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// The frame's status and bytes; false when the stream ends or breaks first.
bool receiveFrame(int socket, char& status, std::string& bytes, Watch* watch) {
    std::uint32_t length = 0;
    if (!receiveAll(socket, reinterpret_cast<char*>(&length), sizeof length, watch) ||
        length == 0) {
        return false;
    }
    if (!receiveAll(socket, &status, 1, watch)) {
        return false;
    }
    bytes.resize(length - 1);
    return receiveAll(socket, bytes.data(), bytes.size(), watch);
}

// The answer to one call in the child, as a frame's status and bytes.
template <typename Call> std::pair<char, std::string> answerOf(Call&& call) {
    try {
        return {kAnswer, call()};
    } catch (const DatabaseFailure& error) {
        return {kDatabaseFailure, error.what()};
    } catch (const std::exception& error) {
        return {kOtherFailure, error.what()};
    }
}

[[noreturn]] void serveInChild(int socket, const ChildProcessReader::Opener& opener) {
    // Ends with the program that started it, even when that one crashes.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ChildProcessReader::Server server;
    auto [status, bytes] = answerOf([&] {
        server = opener();
        return std::string();
    });
    if (!sendFrame(socket, status, bytes) || status != kAnswer) {
        std::_Exit(0);
    }
    for (;;) {
        char requestStatus = 0;
        std::string request;
        if (!receiveFrame(socket, requestStatus, request, nullptr)) {
            std::_Exit(0); // the reader is gone
        }
        auto [answerStatus, answer] = answerOf([&] { return server(request); });
        if (!sendFrame(socket, answerStatus, answer)) {
            std::_Exit(0);
        }
    }
}

} // namespace

ChildProcessReader::ChildProcessReader(std::filesystem::path file, Opener opener, ReadLimits limits)
    : m_file(std::move(file)), m_opener(std::move(opener)), m_limits(limits) {
    start();
}

ChildProcessReader::~ChildProcessReader() {
    stop();
}

void ChildProcessReader::start() {
    std::array<int, 2> ends{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        throw databaseError(m_file, std::string("a leitura não pôde ser iniciada (") +
                                        util::systemErrorText(errno) + ")");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(ends[0]);
        ::close(ends[1]);
        throw databaseError(m_file, std::string("a leitura não pôde ser iniciada (") +
                                        util::systemErrorText(error) + ")");
    }
    if (child == 0) {
        ::close(ends[0]);
        serveInChild(ends[1], m_opener);
    }
    ::close(ends[1]);
    m_child = child;
    m_socket = ends[0];
    try {
        receiveAnswer(); // the opener's outcome
    } catch (...) {
        stop(); // a child that could not open the file has nothing more to say
        throw;
    }
}

void ChildProcessReader::stop() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    if (m_child > 0) {
        // The child holds nothing that needs closing: it only reads.
        ::kill(m_child, SIGKILL);
        while (::waitpid(m_child, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_child = -1;
    }
}

void ChildProcessReader::childFailed(const DatabaseFailure& failure) {
    stop();
    throw failure;
}

std::string ChildProcessReader::receiveAnswer() {
    Watch watch{std::chrono::steady_clock::now() + m_limits.time, m_child, m_limits.memory};
    char status = 0;
    std::string bytes;
    if (!receiveFrame(m_socket, status, bytes, &watch)) {
        if (watch.timedOut) {
            childFailed(readTooLong(m_file, m_limits.time));
        }
        if (watch.tooMuchMemory) {
            childFailed(readTooBig(m_file, m_limits.memory));
        }
        childFailed(corruptDatabase(m_file, "a leitura do arquivo terminou de forma anormal"));
    }
    if (status == kAnswer) {
        return bytes;
    }
    if (status == kDatabaseFailure) {
        throw DatabaseFailure(bytes);
    }
    throw databaseError(m_file, "a leitura falhou (" + bytes + ")");
}

std::string ChildProcessReader::request(std::string_view bytes) {
    if (m_child <= 0) {
        start();
    }
    if (!sendFrame(m_socket, kAnswer, bytes)) {
        childFailed(corruptDatabase(m_file, "a leitura do arquivo terminou de forma anormal"));
    }
    return receiveAnswer();
}

} // namespace refdata
