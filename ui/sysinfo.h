#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// Root and value types as the Windows registry numbers them.
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// The value buffer the look-ups read into; data longer than this is a failed read.
inline constexpr std::size_t kKeyValueBufferSize = 1024;

// One registry value to read.
struct KeyLookup {
    std::uint32_t keyRoot;
    std::string_view keyName;
    std::string_view valueName;
};

// The full path of the system-information tool, file name included.
inline constexpr KeyLookup kSysInfoPathLookup{kHkeyLocalMachine,
                                              "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
// The folder of the tool, to which kSysInfoFileName is appended.
inline constexpr KeyLookup kSysInfoFolderLookup{
    kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};
inline constexpr std::string_view kSysInfoFileName = "\\MSINFO32.EXE";

// A value as the system hands it over: the zero-filled buffer it was read into, its type
// and the count of bytes written.
struct RawKeyValue {
    std::uint32_t type = 0;
    std::string buffer;
    std::uint32_t dataSize = 0;
};

// What the system-information tool needs from the operating system. Texts are in the
// system's 8-bit encoding.
class SysInfoPlatform {
public:
    virtual ~SysInfoPlatform() = default;

    // Reads one value; none when the key cannot be opened for reading or the value cannot
    // be read into kKeyValueBufferSize bytes.
    virtual std::optional<RawKeyValue> readKeyValue(const KeyLookup& lookup) = 0;
    // True when an ordinary file of this name exists: folders, hidden and system files do
    // not count.
    virtual bool isOrdinaryFile(const std::string& path) = 0;
    // Starts the program at this path in a window of its own, directly (no shell) and
    // without waiting for it; false when it cannot be started.
    virtual bool startProgram(const std::string& path) = 0;
};

// The text of a value read into its buffer: cut at the data size, less a closing zero
// character; a 32-bit number becomes its decimal text; any other type leaves `previous`.
// None when the data size is 0 or larger than the buffer: there is no text to cut.
std::optional<std::string> decodeKeyValue(const RawKeyValue& value, std::string_view previous);

enum class KeyValueRead {
    Read,        // KeyVal holds the value's text
    Missing,     // the key or value could not be read; KeyVal is empty
    Undecodable, // the value was read but its data cannot be turned into text
};

// Reads one value as text into KeyVal.
KeyValueRead GetKeyValue(SysInfoPlatform& platform, const KeyLookup& lookup, std::string& KeyVal);

// Locates and starts the system-information tool: the path of look-up 1 as it stands, else
// the folder of look-up 2 with the tool's file name when that file exists. False when
// nothing could be started; the caller then tells the user.
bool startSysInfoTool(SysInfoPlatform& platform);

// The operating system's own answers: the registry on Windows; elsewhere look-up 1 names the
// first desktop system-information program found on the PATH and look-up 2 finds nothing.
std::unique_ptr<SysInfoPlatform> makeSystemSysInfoPlatform();

} // namespace ui
