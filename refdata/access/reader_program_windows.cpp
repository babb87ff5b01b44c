#include "refdata/access/reader_program.h"

#include "refdata/access/child_process.h"
#include "util/windows_text.h"

#include <cstdio>

#include <windows.h>

#include <shellapi.h>

namespace refdata {

namespace {

// The pipe the reader gave as input and output.
class ReaderEnd final : public ByteStream {
public:
    explicit ReaderEnd(HANDLE pipe) : m_pipe(pipe) {}
    bool send(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            if (!::WriteFile(m_pipe, bytes.data(), size, &written, nullptr) || written == 0) {
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool receive(char* data, std::size_t size) override {
        while (size > 0) {
            DWORD got = 0;
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
            if (!::ReadFile(m_pipe, data, wanted, &got, nullptr) || got == 0) {
                return false;
            }
            data += got;
            size -= got;
        }
        return true;
    }

private:
    HANDLE m_pipe;
};

LONG WINAPI endAtOnce(EXCEPTION_POINTERS*) {
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int serveAsReaderProgram(std::initializer_list<const ChildService*> services) {
    // A crash ends the reader at once, with no dialog and no debugger waiting (Wine starts one
    // unless the program handles the fault): the program that started it reports the file.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(endAtOnce);
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count != 3) {
        return 2;
    }
    const std::string name = util::utf8FromWide(arguments[1]);
    const std::filesystem::path file(arguments[2]);
    ::LocalFree(arguments);
    const ChildService* service = nullptr;
    for (const ChildService* candidate : services) {
        service = candidate->name == name ? candidate : service;
    }
    // The pipe is kept apart, and what a library might print goes nowhere: only frames cross.
    HANDLE pipe = nullptr;
    if (!service ||
        !::DuplicateHandle(::GetCurrentProcess(), ::GetStdHandle(STD_INPUT_HANDLE),
                           ::GetCurrentProcess(), &pipe, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        return 2;
    }
    std::freopen("NUL", "r", stdin);
    std::freopen("NUL", "w", stdout);
    ReaderEnd stream(pipe);
    serveRequests(stream, *service, file);
    return 0;
}

} // namespace refdata
