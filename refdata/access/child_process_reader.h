#pragma once

#include "refdata/read_limits.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace refdata {

class ChildProcess;
class DatabaseFailure;

// What a reading child serves. Where the child is a copy of the program (Linux), `open` runs in
// it directly; where it is a program of its own (Windows), the reader program of that name, in
// the running program's folder, is started with the service's name and the file, and finds
// `open` again by the name.
struct ChildService {
    // Answers one request with the answer's bytes; may throw DatabaseFailure, which reaches the
    // caller of ChildProcessReader::request() as it was.
    using Server = std::function<std::string(std::string_view request)>;

    const char* program;
    const char* name;
    // Runs in the child once, before any request: opens the file. May throw DatabaseFailure.
    Server (*open)(const std::filesystem::path& file);
};

// Reads a file in a child process of our own, so that what may crash or hang there (a library
// that trusts the file it is given) takes down only the child: the program then reports the
// file as corrupt or unreadable and goes on. The child opens the file once and answers
// requests, as bytes, over a stream until this object goes.
class ChildProcessReader {
public:
    // Starts the child and waits for the file to be opened; throws the opener's DatabaseFailure,
    // or DatabaseFailure naming the file when the child crashes, or does not answer within the
    // limits' time, or holds more than their memory.
    ChildProcessReader(std::filesystem::path file, const ChildService& service, ReadLimits limits);
    ~ChildProcessReader();
    ChildProcessReader(const ChildProcessReader&) = delete;
    ChildProcessReader& operator=(const ChildProcessReader&) = delete;

    // The child's answer. A crash, an answer cut short, none within the timeout or a child
    // over the memory limit throws DatabaseFailure ("corrompido ou ilegível", naming the file);
    // the next request starts a new child, which opens the file again.
    std::string request(std::string_view bytes);

private:
    void start();
    // One answer of the child: its bytes, or the error it reports thrown here.
    std::string receiveAnswer();
    [[noreturn]] void childFailed(const DatabaseFailure& failure);

    std::filesystem::path m_file;
    ChildService m_service;
    ReadLimits m_limits;
    std::unique_ptr<ChildProcess> m_child;
};

} // namespace refdata
