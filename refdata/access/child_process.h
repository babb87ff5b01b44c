#pragma once

// The platform's part of the reading child: starting and stopping it, and its bytes, watched
// for time and memory. One implementation per platform (child_process_posix.cpp,
// child_process_windows.cpp); the framing, the answers and the messages are shared.

#include "refdata/access/child_process_reader.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace refdata {

// Bytes to and from the other end of the child's stream.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // False once the other end is gone.
    virtual bool send(std::string_view bytes) = 0;
    // Exactly `size` bytes; false at the end of the stream, on an error, or when a watch stops it.
    virtual bool receive(char* data, std::size_t size) = 0;
};

// Runs in the child: opens the file with the service and answers requests on the stream until
// the reader is gone.
void serveRequests(ByteStream& stream, const ChildService& service,
                   const std::filesystem::path& file);

// The failure of a child that could not be started, for the reason given.
DatabaseFailure readerNotStarted(const std::filesystem::path& file, const std::string& reason);

// Why the last watched receive stopped short.
enum class ChildStop { kEnded, kTimedOut, kTooMuchMemory };

// A running child as the reader sees it; it goes with this object.
class ChildProcess final : public ByteStream {
public:
    // Starts the child serving the file; throws readerNotStarted.
    ChildProcess(const ChildService& service, const std::filesystem::path& file,
                 std::size_t memoryLimit);
    ~ChildProcess() override;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool send(std::string_view bytes) override;
    // Waits at most until the deadline, and stops when the child holds more than its memory.
    bool receive(char* data, std::size_t size) override;

    void watchUntil(std::chrono::steady_clock::time_point deadline);
    ChildStop stopped() const;
    // True when the system refused the child memory past its limit: where the system enforces
    // the limit itself, the child may still answer (with an allocation failure) or crash.
    bool refusedMemory();

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};

} // namespace refdata
