#include "refdata/access/child_process_reader.h"

#include "refdata/access/child_process.h"
#include "refdata/database_message.h"

#include <cstdint>
#include <exception>

namespace refdata {

namespace {

// Every message is a frame: its length (32 bits), a status byte and the bytes.
enum Status : char {
    kAnswer = 0,
    kDatabaseFailure = 1, // the bytes are the DatabaseFailure's message
    kOtherFailure = 2,    // the bytes are another exception's text
};

bool sendFrame(ByteStream& stream, char status, std::string_view bytes) {
    const auto length = static_cast<std::uint32_t>(bytes.size() + 1);
    std::string frame(reinterpret_cast<const char*>(&length), sizeof length);
    frame += status;
    frame += bytes;
    return stream.send(frame);
}

// The frame's status and bytes; false when the stream ends or breaks first.
bool receiveFrame(ByteStream& stream, char& status, std::string& bytes) {
    std::uint32_t length = 0;
    if (!stream.receive(reinterpret_cast<char*>(&length), sizeof length) || length == 0) {
        return false;
    }
    if (!stream.receive(&status, 1)) {
        return false;
    }
    bytes.resize(length - 1);
    return stream.receive(bytes.data(), bytes.size());
}

// The answer to one call in the child, as a frame's status and bytes.
template <typename Call> std::pair<char, std::string> frameOf(Call&& call) {
    try {
        return {kAnswer, call()};
    } catch (const DatabaseFailure& error) {
        return {kDatabaseFailure, error.what()};
    } catch (const std::exception& error) {
        return {kOtherFailure, error.what()};
    }
}

} // namespace

void serveRequests(ByteStream& stream, const ChildService& service,
                   const std::filesystem::path& file) {
    ChildService::Server server;
    auto [status, bytes] = frameOf([&] {
        server = service.open(file);
        return std::string();
    });
    if (!sendFrame(stream, status, bytes) || status != kAnswer) {
        return;
    }
    for (;;) {
        char requestStatus = 0;
        std::string request;
        if (!receiveFrame(stream, requestStatus, request)) {
            return; // the reader is gone
        }
        auto [answerStatus, answer] = frameOf([&] { return server(request); });
        if (!sendFrame(stream, answerStatus, answer)) {
            return;
        }
    }
}

DatabaseFailure readerNotStarted(const std::filesystem::path& file, const std::string& reason) {
    return databaseError(file, "a leitura não pôde ser iniciada (" + reason + ")");
}

ChildProcessReader::ChildProcessReader(std::filesystem::path file, const ChildService& service,
                                       ReadLimits limits)
    : m_file(std::move(file)), m_service(service), m_limits(limits) {
    start();
}

ChildProcessReader::~ChildProcessReader() = default;

void ChildProcessReader::start() {
    m_child = std::make_unique<ChildProcess>(m_service, m_file, m_limits.memory);
    try {
        receiveAnswer(); // the opener's outcome
    } catch (...) {
        m_child.reset(); // a child that could not open the file has nothing more to say
        throw;
    }
}

void ChildProcessReader::childFailed(const DatabaseFailure& failure) {
    m_child.reset();
    throw failure;
}

std::string ChildProcessReader::receiveAnswer() {
    m_child->watchUntil(std::chrono::steady_clock::now() + m_limits.time);
    char status = 0;
    std::string bytes;
    if (!receiveFrame(*m_child, status, bytes)) {
        switch (m_child->stopped()) {
        case ChildStop::kTimedOut:
            childFailed(readTooLong(m_file, m_limits.time));
        case ChildStop::kTooMuchMemory:
            childFailed(readTooBig(m_file, m_limits.memory));
        case ChildStop::kEnded:
            break;
        }
        childFailed(corruptDatabase(m_file, "a leitura do arquivo terminou de forma anormal"));
    }
    if (status == kAnswer) {
        return bytes;
    }
    if (status == kDatabaseFailure) {
        throw DatabaseFailure(bytes);
    }
    if (m_child->refusedMemory()) {
        childFailed(readTooBig(m_file, m_limits.memory));
    }
    throw databaseError(m_file, "a leitura falhou (" + bytes + ")");
}

std::string ChildProcessReader::request(std::string_view bytes) {
    if (!m_child) {
        start();
    }
    if (!sendFrame(*m_child, kAnswer, bytes)) {
        childFailed(corruptDatabase(m_file, "a leitura do arquivo terminou de forma anormal"));
    }
    return receiveAnswer();
}

} // namespace refdata
