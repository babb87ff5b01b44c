// The reading child on Linux: a fork of the program, which answers over a socket pair.

#include "refdata/access/child_process.h"

#include "refdata/database_message.h"
#include "util/system_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>

#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace refdata {

namespace {

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

// What the reader watches while it waits for the child: the time and the child's memory.
struct Watch {
    std::chrono::steady_clock::time_point deadline;
    pid_t child = -1;
    std::size_t memoryLimit = 0;
    ChildStop stop = ChildStop::kEnded;
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
            watch.stop = ChildStop::kTimedOut;
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
            watch.stop = ChildStop::kTooMuchMemory;
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

// The child's end of the socket.
class ChildEnd final : public ByteStream {
public:
    explicit ChildEnd(int socket) : m_socket(socket) {}
    bool send(std::string_view bytes) override { return sendAll(m_socket, bytes); }
    bool receive(char* data, std::size_t size) override {
        return receiveAll(m_socket, data, size, nullptr);
    }

private:
    int m_socket;
};

} // namespace

struct ChildProcess::Parts {
    pid_t child = -1;
    int socket = -1;
    Watch watch;
};

ChildProcess::ChildProcess(const ChildService& service, const std::filesystem::path& file,
                           std::size_t memoryLimit)
    : m(std::make_unique<Parts>()) {
    std::array<int, 2> ends{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        throw readerNotStarted(file, util::systemErrorText(errno));
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(ends[0]);
        ::close(ends[1]);
        throw readerNotStarted(file, util::systemErrorText(error));
    }
    if (child == 0) {
        ::close(ends[0]);
        // Ends with the program that started it, even when that one crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ChildEnd stream(ends[1]);
        serveRequests(stream, service, file);
        std::_Exit(0);
    }
    ::close(ends[1]);
    m->child = child;
    m->socket = ends[0];
    m->watch.child = child;
    m->watch.memoryLimit = memoryLimit;
}

ChildProcess::~ChildProcess() {
    ::close(m->socket);
    // The child holds nothing that needs closing: it only reads.
    ::kill(m->child, SIGKILL);
    while (::waitpid(m->child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool ChildProcess::send(std::string_view bytes) {
    return sendAll(m->socket, bytes);
}

bool ChildProcess::receive(char* data, std::size_t size) {
    return receiveAll(m->socket, data, size, &m->watch);
}

void ChildProcess::watchUntil(std::chrono::steady_clock::time_point deadline) {
    m->watch.deadline = deadline;
    m->watch.stop = ChildStop::kEnded;
}

ChildStop ChildProcess::stopped() const {
    return m->watch.stop;
}

bool ChildProcess::refusedMemory() {
    return false; // the watch stops the child before the system would refuse it anything
}

} // namespace refdata
