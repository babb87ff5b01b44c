#include "tests/cli/process_runner.h"

#include "util/path_text.h"
#include "util/windows_text.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace cli::fixtures {

namespace {

// The text as one argument of a Windows command line, whatever it holds.
std::wstring quoted(const std::string& text) {
    return util::commandLineArgument(util::wideFromUtf8(text));
}

// A file the child writes as its standard output or error.
HANDLE inheritedFile(const std::string& path, DWORD disposition, DWORD access) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(util::wideFromUtf8(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Removes a file the child wrote. Wine may close an ended child's handles a moment after the
// wait returns; a file still held then is tried again, and left in the temporary folder if it
// is held for longer (it names no result of the test).
void removeWhenReleased(const std::filesystem::path& file) {
    std::error_code error;
    for (int attempt = 0; attempt < 50 && !std::filesystem::remove(file, error) && error;
         ++attempt) {
        ::Sleep(20);
    }
}

} // namespace

ProcessOutcome runProgramProcess(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment,
                                 const std::string& stdoutPath) {
    static int counter = 0;
    const std::string stem = ::testing::TempDir() + "zeb-calc-" +
                             std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(counter++);
    const std::string outPath = stdoutPath.empty() ? stem + ".out" : stdoutPath;
    std::wstring command = quoted(program);
    for (const std::string& word : arguments) {
        command += L" " + quoted(word);
    }
    // Exactly the environment given, and the system's folder, without which nothing starts.
    std::wstring block = L"SYSTEMROOT=" + util::wideFromUtf8(std::getenv("SYSTEMROOT")) + L'\0';
    for (const auto& [name, value] : environment) {
        block += util::wideFromUtf8(name + "=" + value) + L'\0';
    }
    block += L'\0';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritedFile("NUL", OPEN_EXISTING, GENERIC_READ);
    startup.hStdOutput = inheritedFile(outPath, CREATE_ALWAYS, GENERIC_WRITE);
    startup.hStdError = inheritedFile(stem + ".err", CREATE_ALWAYS, GENERIC_WRITE);
    PROCESS_INFORMATION process{};
    ProcessOutcome outcome;
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                         CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &process)) {
        DWORD code = 0;
        ::WaitForSingleObject(process.hProcess, INFINITE);
        outcome.exitCode = ::GetExitCodeProcess(process.hProcess, &code) ? int(code) : -1;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        ::CloseHandle(handle);
    }
    if (stdoutPath.empty()) {
        outcome.out = readFile(util::pathFromUtf8(outPath));
        removeWhenReleased(util::pathFromUtf8(outPath));
    }
    outcome.err = readFile(util::pathFromUtf8(stem + ".err"));
    removeWhenReleased(util::pathFromUtf8(stem + ".err"));
    return outcome;
}

} // namespace cli::fixtures
