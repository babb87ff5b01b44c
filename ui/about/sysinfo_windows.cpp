#include "ui/about/sysinfo.h"

#include <QFileInfo>
#include <QProcess>

#include <windows.h>

namespace ui {

namespace {

// One text value under HKEY_LOCAL_MACHINE; none when the key or the value is missing, is not
// text, or is empty. Read access only: an ordinary user may not open these keys for writing.
std::optional<QString> machineText(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t); // room for a closing zero the data may lack
    DWORD type = 0;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const LSTATUS read =
        ::RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(opened);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        return std::nullopt;
    }
    const QString text = QString::fromWCharArray(value, static_cast<int>(size / sizeof(wchar_t)));
    return text.left(text.indexOf(QChar(u'\0')) < 0 ? text.size() : text.indexOf(QChar(u'\0')));
}

} // namespace

std::optional<QString> findSysInfoTool() {
    // The tool's own path is taken as it stands; starting it tells whether it is there.
    if (const auto path = machineText(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH")) {
        return path;
    }
    const auto folder = machineText(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    if (!folder) {
        return std::nullopt;
    }
    const QFileInfo tool(*folder + QStringLiteral("\\MSINFO32.EXE"));
    if (!tool.isFile() || tool.isHidden()) {
        return std::nullopt;
    }
    return tool.filePath();
}

bool startSysInfoTool() {
    const std::optional<QString> tool = findSysInfoTool();
    return tool && QProcess::startDetached(*tool, {});
}

} // namespace ui
