#include "config/AddInHostServices.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace {

constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kPathNotFound = 3;
constexpr std::int32_t kAccessDenied = 5;
constexpr std::int32_t kInvalidParameter = 87;

std::optional<std::string> optionalText(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

// Copies TEXT into BUFFER as the Get...DirectoryA functions do: the length copied, or
// the size needed (with the terminating zero) when BUFFER is too small.
std::uint32_t copyDirectory(const std::string& text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size <= text.size()) return static_cast<std::uint32_t>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<std::uint32_t>(text.size());
}

// Copies TEXT into BUFFER as GetPrivateProfileStringA does: cut to fit, zero-terminated;
// the number of characters copied without the zero.
std::uint32_t copyProfileText(const std::string& text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return 0;
    const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
}

// A list of names, each ending in a zero and the list in a second one; names that do
// not fit whole are left out, and the answer is then SIZE - 2, as Windows gives.
std::uint32_t copyNameList(const std::vector<std::string>& names, char* buffer,
                           std::uint32_t size) {
    if (buffer == nullptr || size < 2) return 0;
    std::size_t used = 0;
    bool truncated = false;
    for (const std::string& name : names) {
        if (used + name.size() + 2 > size) {
            truncated = true;
            break;
        }
        std::memcpy(buffer + used, name.c_str(), name.size() + 1);
        used += name.size() + 1;
    }
    buffer[used] = '\0';
    if (used == 0) buffer[1] = '\0';
    return truncated ? size - 2 : static_cast<std::uint32_t>(used);
}

std::optional<std::string> readWhole(const std::string& path, std::int32_t& error) {
    const std::filesystem::path native = platform::files().toNative(path);
    std::error_code code;
    if (native.empty() || !std::filesystem::exists(native.parent_path(), code)) {
        error = kPathNotFound;
        return std::nullopt;
    }
    if (!std::filesystem::exists(native, code)) {
        error = kFileNotFound;
        return std::nullopt;
    }
    std::ifstream stream(native, std::ios::binary);
    if (!stream || std::filesystem::is_directory(native, code)) {
        error = kAccessDenied;
        return std::nullopt;
    }
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

// The key names of SECTION in the profile file PATH, in file order.
std::vector<std::string> keyNames(const std::string& section, const std::string& path) {
    std::int32_t ignored = 0;
    const auto content = readWhole(path, ignored);
    std::vector<std::string> names;
    if (!content) return names;
    bool inSection = false;
    for (const std::string& line : platform::splitLines(*content)) {
        const std::string text = std::string(platform::trimBlanks(line));
        if (!text.empty() && text.front() == '[') {
            const auto close = text.find(']');
            inSection = close != std::string::npos &&
                        platform::equalsIgnoringCase(platform::trimBlanks(text.substr(1, close - 1)),
                                                   section);
        } else if (inSection && !text.empty() && text.front() != ';') {
            const auto equals = text.find('=');
            if (equals != std::string::npos && equals > 0) {
                names.emplace_back(platform::trimBlanks(text.substr(0, equals)));
            }
        }
    }
    return names;
}

platform::MsgBoxButtons buttonsOf(std::uint32_t type) {
    const std::uint32_t buttons = type & 0x0F;
    return buttons <= 5 ? static_cast<platform::MsgBoxButtons>(buttons)
                        : platform::MsgBoxButtons::OKOnly;
}

platform::MsgBoxIcon iconOf(std::uint32_t type) {
    switch (type & 0xF0) {
        case 16: return platform::MsgBoxIcon::Critical;
        case 32: return platform::MsgBoxIcon::Question;
        case 48: return platform::MsgBoxIcon::Exclamation;
        case 64: return platform::MsgBoxIcon::Information;
        default: return platform::MsgBoxIcon::None;
    }
}

// Runs CALL, answering FAILURE for anything it raises: no exception may reach the
// library's C frames.
template <typename Result, typename Call>
Result guarded(Result failure, Call&& call) {
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

int32_t RMW_ADDIN_CALL messageBox(void*, const char* text, const char* caption, uint32_t type) {
    return guarded<int32_t>(0, [&] {
        return static_cast<int32_t>(platform::ui().messageBox(
            text ? text : "", buttonsOf(type), iconOf(type), caption ? caption : ""));
    });
}

uint32_t RMW_ADDIN_CALL windowsDirectory(void*, char* buffer, uint32_t size) {
    return guarded<uint32_t>(0, [&] { return copyDirectory(win32::GetWindowsDirectoryA(), buffer, size); });
}

uint32_t RMW_ADDIN_CALL systemDirectory(void*, char* buffer, uint32_t size) {
    return guarded<uint32_t>(0, [&] { return copyDirectory(win32::GetSystemDirectoryA(), buffer, size); });
}

uint32_t RMW_ADDIN_CALL profileString(void*, const char* section, const char* key,
                                      const char* defaultValue, char* buffer, uint32_t size,
                                      const char* file) {
    return guarded<uint32_t>(0, [&]() -> uint32_t {
        if (section == nullptr || file == nullptr) return copyProfileText("", buffer, size);
        if (key == nullptr) return copyNameList(keyNames(section, file), buffer, size);
        return copyProfileText(
            win32::GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", file),
            buffer, size);
    });
}

int32_t RMW_ADDIN_CALL writeProfileString(void*, const char* section, const char* key,
                                          const char* value, const char* file) {
    return guarded<int32_t>(0, [&]() -> int32_t {
        if (section == nullptr || file == nullptr) return 0;
        return win32::WritePrivateProfileStringA(section, optionalText(key), optionalText(value),
                                                 file);
    });
}

int32_t RMW_ADDIN_CALL readFile(void*, const char* path,
                                void(RMW_ADDIN_CALL* sink)(void*, const char*, size_t),
                                void* sinkContext) {
    return guarded<int32_t>(kAccessDenied, [&]() -> int32_t {
        if (path == nullptr || sink == nullptr) return kInvalidParameter;
        std::int32_t error = 0;
        const auto content = readWhole(path, error);
        if (!content) return error;
        sink(sinkContext, content->data(), content->size());
        return 0;
    });
}

// The new content goes to a file beside the target, which then takes its place in one
// step; during an apply both steps are staged and land with the apply.
int32_t RMW_ADDIN_CALL writeFile(void*, const char* path, const char* data, size_t length) {
    return guarded<int32_t>(kAccessDenied, [&]() -> int32_t {
        if (path == nullptr || (data == nullptr && length > 0)) return kInvalidParameter;
        const std::string target = path;
        platform::FileSystem& files = platform::files();
        std::error_code code;
        const std::filesystem::path native = files.toNative(target);
        if (native.empty() || !std::filesystem::is_directory(native.parent_path(), code)) {
            return kPathNotFound;
        }
        const std::string temporary = target + ".rmw-new";
        if (!files.writeWholeFile(temporary, std::string(data ? data : "", length)) ||
            !files.replaceFile(temporary, target)) {
            files.deleteFile(temporary);
            return kAccessDenied;
        }
        return 0;
    });
}

}  // namespace

AddInHostServices::AddInHostServices() {
    table_.struct_size = sizeof(rmw_host_services);
    table_.context = this;
    table_.message_box = messageBox;
    table_.get_windows_directory = windowsDirectory;
    table_.get_system_directory = systemDirectory;
    table_.get_private_profile_string = profileString;
    table_.write_private_profile_string = writeProfileString;
    table_.read_file = readFile;
    table_.write_file = writeFile;
}
