#pragma once

#include "refdata/read_limits.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace refdata {

class DatabaseFailure;

// Reads a file in a child process of our own, so that what may crash or hang there (a library
// that trusts the file it is given) takes down only the child: the program then reports the
// file as corrupt or unreadable and goes on. The child opens the file once and answers
// requests, as bytes, over a socket until this object goes.
class ChildProcessReader {
public:
    // Runs in the child for each request and returns the answer's bytes; may throw
    // DatabaseFailure, which reaches the caller of request() as it was.
    using Server = std::function<std::string(std::string_view request)>;
    // Runs in the child once, before any request: opens the file. May throw DatabaseFailure.
    using Opener = std::function<Server()>;

    // Starts the child and waits for the file to be opened; throws the opener's DatabaseFailure,
    // or DatabaseFailure naming the file when the child crashes, or does not answer within the
    // limits' time, or holds more than their memory.
    ChildProcessReader(std::filesystem::path file, Opener opener, ReadLimits limits);
    ~ChildProcessReader();
    ChildProcessReader(const ChildProcessReader&) = delete;
    ChildProcessReader& operator=(const ChildProcessReader&) = delete;

    // The child's answer. A crash, an answer cut short, none within the timeout or a child
    // over the memory limit throws DatabaseFailure ("corrompido ou ilegível", naming the file);
    // the next request starts a new child, which opens the file again.
    std::string request(std::string_view bytes);

private:
    void start();
    void stop();
    // One answer of the child: its bytes, or the error it reports thrown here.
    std::string receiveAnswer();
    [[noreturn]] void childFailed(const DatabaseFailure& failure);

    std::filesystem::path m_file;
    Opener m_opener;
    ReadLimits m_limits;
    pid_t m_child = -1;
    int m_socket = -1;
};

} // namespace refdata
