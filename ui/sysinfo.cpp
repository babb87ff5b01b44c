#include "ui/sysinfo.h"

#include <array>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ui {

std::optional<std::string> decodeKeyValue(const RawKeyValue& value, std::string_view previous) {
    // A size of 0 leaves no last character to test for the closing zero.
    if (value.dataSize == 0 || value.dataSize > value.buffer.size()) {
        return std::nullopt;
    }
    const std::size_t size = value.dataSize;
    const std::size_t textLength = value.buffer[size - 1] == '\0' ? size - 1 : size;
    const std::string text = value.buffer.substr(0, textLength);

    switch (value.type) {
    case kRegSz:
        return text;
    case kRegDword: {
        // Stored least significant byte first.
        std::uint32_t number = 0;
        const std::size_t bytes = size < 4 ? size : 4;
        for (std::size_t i = bytes; i > 0; --i) {
            number = (number << 8) | static_cast<unsigned char>(value.buffer[i - 1]);
        }
        return std::to_string(number);
    }
    default:
        return std::string(previous);
    }
}

KeyValueRead GetKeyValue(SysInfoPlatform& platform, const KeyLookup& lookup, std::string& KeyVal) {
    const std::optional<RawKeyValue> value = platform.readKeyValue(lookup);
    if (!value) {
        KeyVal.clear();
        return KeyValueRead::Missing;
    }
    std::optional<std::string> text = decodeKeyValue(*value, KeyVal);
    if (!text) {
        return KeyValueRead::Undecodable;
    }
    KeyVal = std::move(*text);
    return KeyValueRead::Read;
}

bool startSysInfoTool(SysInfoPlatform& platform) {
    std::string KeyVal;
    switch (GetKeyValue(platform, kSysInfoPathLookup, KeyVal)) {
    case KeyValueRead::Read:
        // The named program is started as it stands; a path that cannot start is a failure,
        // not a reason to try the second look-up.
        return platform.startProgram(KeyVal);
    case KeyValueRead::Undecodable:
        return false;
    case KeyValueRead::Missing:
        break;
    }

    if (GetKeyValue(platform, kSysInfoFolderLookup, KeyVal) != KeyValueRead::Read) {
        return false;
    }
    const std::string path = KeyVal + std::string(kSysInfoFileName);
    if (!platform.isOrdinaryFile(path)) {
        return false;
    }
    return platform.startProgram(path);
}

namespace {

// Starting is the same everywhere: directly, without a shell, without waiting.
bool startDetachedProgram(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    return QProcess::startDetached(QString::fromLocal8Bit(path), {});
}

#ifdef _WIN32

class RegistrySysInfoPlatform final : public SysInfoPlatform {
public:
    std::optional<RawKeyValue> readKeyValue(const KeyLookup& lookup) override {
        if (lookup.keyRoot != kHkeyLocalMachine) {
            return std::nullopt;
        }
        const std::string keyName(lookup.keyName);
        const std::string valueName(lookup.valueName);
        HKEY key = nullptr;
        // Read access only: asking for full access fails for every user who may only read
        // the key, and the tool would wrongly be reported unavailable.
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        RawKeyValue value;
        value.buffer.assign(kKeyValueBufferSize, '\0');
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(value.buffer.size());
        const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<LPBYTE>(value.buffer.data()), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.type = type;
        value.dataSize = size;
        return value;
    }

    bool isOrdinaryFile(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        const DWORD excluded =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        return (attributes & excluded) == 0;
    }

    bool startProgram(const std::string& path) override { return startDetachedProgram(path); }
};

#else

// Desktop system-information programs, the most thorough first.
constexpr std::array<const char*, 5> kDesktopSysInfoPrograms = {
    "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor", "xfce4-taskmanager"};

bool sameLookup(const KeyLookup& a, const KeyLookup& b) {
    return a.keyRoot == b.keyRoot && a.keyName == b.keyName && a.valueName == b.valueName;
}

class DesktopSysInfoPlatform final : public SysInfoPlatform {
public:
    std::optional<RawKeyValue> readKeyValue(const KeyLookup& lookup) override {
        if (!sameLookup(lookup, kSysInfoPathLookup)) {
            return std::nullopt;
        }
        for (const char* name : kDesktopSysInfoPrograms) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (found.isEmpty()) {
                continue;
            }
            // Handed over as the registry would: a text value with its closing zero.
            RawKeyValue value;
            value.type = kRegSz;
            const QByteArray path = found.toLocal8Bit();
            if (static_cast<std::size_t>(path.size()) >= kKeyValueBufferSize) {
                return std::nullopt;
            }
            value.buffer.assign(kKeyValueBufferSize, '\0');
            value.buffer.replace(0, static_cast<std::size_t>(path.size()), path.toStdString());
            value.dataSize = static_cast<std::uint32_t>(path.size() + 1);
            return value;
        }
        return std::nullopt;
    }

    bool isOrdinaryFile(const std::string& path) override {
        const QFileInfo info(QString::fromLocal8Bit(path));
        return info.isFile() && !info.isHidden();
    }

    bool startProgram(const std::string& path) override { return startDetachedProgram(path); }
};

#endif

} // namespace

std::unique_ptr<SysInfoPlatform> makeSystemSysInfoPlatform() {
#ifdef _WIN32
    return std::make_unique<RegistrySysInfoPlatform>();
#else
    return std::make_unique<DesktopSysInfoPlatform>();
#endif
}

} // namespace ui
