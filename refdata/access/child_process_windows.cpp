// The reading child on Windows: the reader program, started with one pipe for its input and
// output, in a job that holds its memory and ends it when we close the job.

#include "refdata/access/child_process.h"

#include "refdata/database_message.h"
#include "refdata/program_folder.h"
#include "util/windows_text.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <utility>

#include <windows.h>

#include <psapi.h>

namespace refdata {

namespace {

// A handle closed with its owner.
struct OwnedHandle {
    HANDLE handle = nullptr;
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE h) : handle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        std::swap(handle, other.handle);
        return *this;
    }
    ~OwnedHandle() {
        if (handle) {
            ::CloseHandle(handle);
        }
    }
};

[[noreturn]] void notStarted(const std::filesystem::path& file) {
    throw readerNotStarted(file, util::windowsErrorText(::GetLastError()));
}

// A pipe name no other program guesses.
std::wstring uniquePipeName() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    return L"\\\\.\\pipe\\zeb-reader-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"-" + std::to_wstring(random());
}

// The committed memory of the child, in bytes; 0 when the system does not say.
std::size_t committedBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                   sizeof counters)) {
        return 0;
    }
    return std::max<std::size_t>(counters.PrivateUsage, counters.WorkingSetSize);
}

} // namespace

struct ChildProcess::Parts {
    OwnedHandle job;
    OwnedHandle port; // the job's notices: a process refused memory past its limit
    OwnedHandle pipe; // our end, for overlapped reads and writes
    OwnedHandle event;
    OwnedHandle process;
    std::size_t memoryLimit = 0;
    std::chrono::steady_clock::time_point deadline;
    ChildStop stop = ChildStop::kEnded;

    void makeJob(const std::filesystem::path& file);
    OwnedHandle makePipe(const std::filesystem::path& file);
    void startProgram(const ChildService& service, const std::filesystem::path& file,
                      HANDLE childEnd);
    // Waits for the pipe operation just begun; false when it fails or the watch stops it.
    bool finish(OVERLAPPED& operation, BOOL begun, DWORD& count, bool watched);
};

void ChildProcess::Parts::makeJob(const std::filesystem::path& file) {
    job = OwnedHandle(::CreateJobObjectW(nullptr, nullptr));
    port = OwnedHandle(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    if (!job.handle || !port.handle) {
        notStarted(file);
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    // A crash ends the child at once, without a dialog waiting for someone to close it.
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (memoryLimit > 0) {
        limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = memoryLimit;
    }
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT notices{job.handle, port.handle};
    if (!::SetInformationJobObject(job.handle, JobObjectExtendedLimitInformation, &limits,
                                   sizeof limits) ||
        !::SetInformationJobObject(job.handle, JobObjectAssociateCompletionPortInformation,
                                   &notices, sizeof notices)) {
        notStarted(file);
    }
}

// Our end of a new pipe, kept here; the child's end is returned, to be inherited.
OwnedHandle ChildProcess::Parts::makePipe(const std::filesystem::path& file) {
    const std::wstring name = uniquePipeName();
    pipe = OwnedHandle(::CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 1 << 16,
        1 << 16, 0, nullptr));
    event = OwnedHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!pipe.handle || !event.handle) {
        notStarted(file);
    }
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    OwnedHandle childEnd(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &inherited,
                                       OPEN_EXISTING, 0, nullptr));
    if (!childEnd.handle) {
        notStarted(file);
    }
    return childEnd;
}

void ChildProcess::Parts::startProgram(const ChildService& service,
                                       const std::filesystem::path& file, HANDLE childEnd) {
    const auto folder = runningProgramFolder();
    const std::filesystem::path program =
        folder.value_or(std::filesystem::path()) / (std::string(service.program) + ".exe");
    std::wstring command = util::commandLineArgument(program.native()) + L" " +
                           util::commandLineArgument(util::wideFromUtf8(service.name)) + L" " +
                           util::commandLineArgument(file.native());
    // The child inherits its pipe end and nothing else the program holds open.
    SIZE_T listSize = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    std::string listBytes(listSize, '\0');
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = childEnd;
    startup.StartupInfo.hStdOutput = childEnd;
    startup.lpAttributeList = list;
    PROCESS_INFORMATION started{};
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &listSize) ||
        !::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &childEnd,
                                     sizeof childEnd, nullptr, nullptr) ||
        !::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE,
                          CREATE_SUSPENDED | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT,
                          nullptr, nullptr, &startup.StartupInfo, &started)) {
        const DWORD error = ::GetLastError();
        throw readerNotStarted(file, util::utf8FromWide(program.native()) + ": " +
                                         util::windowsErrorText(error));
    }
    ::DeleteProcThreadAttributeList(list);
    process = OwnedHandle(started.hProcess);
    const OwnedHandle thread(started.hThread);
    if (!::AssignProcessToJobObject(job.handle, process.handle)) {
        const DWORD error = ::GetLastError();
        ::TerminateProcess(process.handle, 1);
        throw readerNotStarted(file, util::windowsErrorText(error));
    }
    ::ResumeThread(thread.handle);
}

bool ChildProcess::Parts::finish(OVERLAPPED& operation, BOOL begun, DWORD& count, bool watched) {
    constexpr auto kSlice = std::chrono::milliseconds(100);
    if (!begun && ::GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    for (;;) {
        auto slice = kSlice;
        if (watched) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                stop = ChildStop::kTimedOut;
                break;
            }
            slice = std::min(left, kSlice);
        }
        if (::WaitForSingleObject(operation.hEvent, static_cast<DWORD>(slice.count())) ==
            WAIT_OBJECT_0) {
            return ::GetOverlappedResult(pipe.handle, &operation, &count, FALSE) && count > 0;
        }
        // A damaged file can make the library allocate without end; stop it well before it
        // takes the machine's memory, where the system does not hold it to its limit.
        if (watched && memoryLimit > 0 && committedBytes(process.handle) > memoryLimit) {
            stop = ChildStop::kTooMuchMemory;
            break;
        }
        if (!watched && ::WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0) {
            break;
        }
    }
    // The operation still refers to the caller's bytes: it must be over before they go.
    ::CancelIoEx(pipe.handle, &operation);
    ::GetOverlappedResult(pipe.handle, &operation, &count, TRUE);
    return false;
}

ChildProcess::ChildProcess(const ChildService& service, const std::filesystem::path& file,
                           std::size_t memoryLimit)
    : m(std::make_unique<Parts>()) {
    m->memoryLimit = memoryLimit;
    m->makeJob(file);
    const OwnedHandle childEnd = m->makePipe(file);
    m->startProgram(service, file, childEnd.handle);
}

ChildProcess::~ChildProcess() {
    // Closing the job ends the child; the handles close after it.
    if (m->job.handle) {
        ::TerminateJobObject(m->job.handle, 1);
    }
}

bool ChildProcess::send(std::string_view bytes) {
    while (!bytes.empty()) {
        OVERLAPPED operation{};
        operation.hEvent = m->event.handle;
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        const BOOL begun = ::WriteFile(m->pipe.handle, bytes.data(), size, nullptr, &operation);
        if (!m->finish(operation, begun, written, false)) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool ChildProcess::receive(char* data, std::size_t size) {
    while (size > 0) {
        OVERLAPPED operation{};
        operation.hEvent = m->event.handle;
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        const BOOL begun = ::ReadFile(m->pipe.handle, data, wanted, nullptr, &operation);
        if (!m->finish(operation, begun, got, true)) {
            if (m->stop == ChildStop::kEnded && refusedMemory()) {
                m->stop = ChildStop::kTooMuchMemory;
            }
            return false;
        }
        data += got;
        size -= got;
    }
    return true;
}

void ChildProcess::watchUntil(std::chrono::steady_clock::time_point deadline) {
    m->deadline = deadline;
    m->stop = ChildStop::kEnded;
}

ChildStop ChildProcess::stopped() const {
    return m->stop;
}

bool ChildProcess::refusedMemory() {
    DWORD notice = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    while (::GetQueuedCompletionStatus(m->port.handle, &notice, &key, &detail, 0)) {
        if (notice == JOB_OBJECT_MSG_PROCESS_MEMORY_LIMIT) {
            return true;
        }
    }
    return false;
}

} // namespace refdata
