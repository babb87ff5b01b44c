#include "refdata/child_process_reader.h"

#include "refdata/database_message.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <exception>

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
    kDatabaseFailure = 1, // the bytes are the DatabaseError's message
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

// Reads exactly `size` bytes; false at the end of the stream or on an error. With a deadline,
// also false once it passes.
bool receiveAll(int socket, char* data, std::size_t size,
                const std::chrono::steady_clock::time_point* deadline, bool& timedOut) {
    while (size > 0) {
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                *deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                timedOut = true;
                return false;
            }
            pollfd ready{socket, POLLIN, 0};
            const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
            if (polled < 0 && errno == EINTR) {
                continue;
            }
            if (polled == 0) {
                timedOut = true;
                return false;
            }
            if (polled < 0) {
                return false;
            }
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
bool receiveFrame(int socket, char& status, std::string& bytes,
                  const std::chrono::steady_clock::time_point* deadline, bool& timedOut) {
    std::uint32_t length = 0;
    if (!receiveAll(socket, reinterpret_cast<char*>(&length), sizeof length, deadline, timedOut) ||
        length == 0) {
        return false;
    }
    if (!receiveAll(socket, &status, 1, deadline, timedOut)) {
        return false;
    }
    bytes.resize(length - 1);
    return receiveAll(socket, bytes.data(), bytes.size(), deadline, timedOut);
}

// The answer to one call in the child, as a frame's status and bytes.
template <typename Call> std::pair<char, std::string> answerOf(Call&& call) {
    try {
        return {kAnswer, call()};
    } catch (const DatabaseError& error) {
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
        bool timedOut = false;
        if (!receiveFrame(socket, requestStatus, request, nullptr, timedOut)) {
            std::_Exit(0); // the reader is gone
        }
        auto [answerStatus, answer] = answerOf([&] { return server(request); });
        if (!sendFrame(socket, answerStatus, answer)) {
            std::_Exit(0);
        }
    }
}

} // namespace

ChildProcessReader::ChildProcessReader(std::filesystem::path file, Opener opener,
                                       std::chrono::milliseconds timeout)
    : m_file(std::move(file)), m_opener(std::move(opener)), m_timeout(timeout) {
    start();
}

ChildProcessReader::~ChildProcessReader() {
    stop();
}

void ChildProcessReader::start() {
    std::array<int, 2> ends{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        throw databaseError(m_file, std::string("a leitura não pôde ser iniciada (") +
                                        std::strerror(errno) + ")");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(ends[0]);
        ::close(ends[1]);
        throw databaseError(m_file, std::string("a leitura não pôde ser iniciada (") +
                                        std::strerror(error) + ")");
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

void ChildProcessReader::childFailed(std::string_view detail) {
    stop();
    throw corruptDatabase(m_file, detail);
}

std::string ChildProcessReader::receiveAnswer() {
    const auto deadline = std::chrono::steady_clock::now() + m_timeout;
    char status = 0;
    std::string bytes;
    bool timedOut = false;
    if (!receiveFrame(m_socket, status, bytes, &deadline, timedOut)) {
        if (timedOut) {
            childFailed("a leitura não terminou em " +
                        std::to_string(std::chrono::ceil<std::chrono::seconds>(m_timeout).count()) +
                        " s");
        }
        childFailed("a leitura do arquivo terminou de forma anormal");
    }
    if (status == kAnswer) {
        return bytes;
    }
    if (status == kDatabaseFailure) {
        throw DatabaseError(bytes);
    }
    throw databaseError(m_file, "a leitura falhou (" + bytes + ")");
}

std::string ChildProcessReader::request(std::string_view bytes) {
    if (m_child <= 0) {
        start();
    }
    if (!sendFrame(m_socket, kAnswer, bytes)) {
        childFailed("a leitura do arquivo terminou de forma anormal");
    }
    return receiveAnswer();
}

} // namespace refdata
