#include "util/windows_text.h"

#include <windows.h>

namespace util {

std::wstring wideFromUtf8(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          size);
    return wide;
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

std::wstring commandLineArgument(std::wstring_view argument) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

namespace {

struct ErrorText {
    DWORD code;
    const char* text;
};

// The reasons a user meets, in the words util::systemErrorText gives their POSIX twins.
constexpr ErrorText kErrorTexts[] = {
    {ERROR_DISK_FULL, "não há espaço livre no disco"},
    {ERROR_HANDLE_DISK_FULL, "não há espaço livre no disco"},
    {ERROR_WRITE_PROTECT, "o sistema de arquivos é somente leitura"},
    {ERROR_ACCESS_DENIED, "permissão negada"},
    {ERROR_FILE_NOT_FOUND, "arquivo ou pasta inexistente"},
    {ERROR_PATH_NOT_FOUND, "arquivo ou pasta inexistente"},
    {ERROR_INVALID_NAME, "o nome do arquivo não é válido"},
    {ERROR_FILENAME_EXCED_RANGE, "o nome do arquivo é longo demais"},
    {ERROR_DIRECTORY, "uma parte do caminho não é uma pasta"},
    {ERROR_SHARING_VIOLATION, "o arquivo está em uso"},
    {ERROR_LOCK_VIOLATION, "o arquivo está em uso"},
    {ERROR_FILE_EXISTS, "o arquivo já existe"},
    {ERROR_ALREADY_EXISTS, "o arquivo já existe"},
    {ERROR_CRC, "erro de leitura ou gravação no disco"},
    {ERROR_TOO_MANY_OPEN_FILES, "arquivos abertos demais"},
    {ERROR_NOT_ENOUGH_MEMORY, "falta memória"},
    {ERROR_OUTOFMEMORY, "falta memória"},
    {ERROR_NOT_READY, "o dispositivo não existe"},
};

} // namespace

std::string windowsErrorText(unsigned long code) {
    for (const ErrorText& known : kErrorTexts) {
        if (known.code == code) {
            return known.text;
        }
    }
    return "erro do sistema " + std::to_string(code);
}

} // namespace util
