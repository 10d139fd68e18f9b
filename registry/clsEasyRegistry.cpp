#include "registry/clsEasyRegistry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace {

constexpr const char* kSource = "EasyRegistry";
constexpr const char* kApiSource = "EasyRegistry[API Call]";
constexpr const char* kSetterSource = "EasyRegistry [Let ValueOf]";
constexpr std::int32_t kClassErrorBase = static_cast<std::int32_t>(0x80040000u);
constexpr std::int32_t kApiError = static_cast<std::int32_t>(0x80040100u);

// Enumeration buffers never shrink below the classic fixed size, so short names and data
// behave as they always have; larger ones are sized from what the key reports.
constexpr win32::DWORD kMinimumBuffer = 1024;

struct RootKey {
    const char* name;
    win32::HKEY handle;
};

// In the order DirKey lists them at the root.
constexpr RootKey kRoots[] = {
    {"HKEY_CLASSES_ROOT", win32::HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", win32::HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", win32::HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", win32::HKEY_USERS},
    {"HKEY_DYN_DATA", win32::HKEY_DYN_DATA},
    {"HKEY_CURRENT_CONFIG", win32::HKEY_CURRENT_CONFIG},
};

std::string describeApiResult(win32::LONG code) {
    switch (code) {
        case win32::ERROR_FILE_NOT_FOUND:
            return "Key/Value does not exist.";
        case win32::ERROR_ACCESS_DENIED:
            return "Access to Registry Denied.";
        case win32::ERROR_OUTOFMEMORY:
            return "Out of memory.";
        case win32::ERROR_INVALID_PARAMETER:
            return "Invalid Parameter.";
        case win32::ERROR_BADDB:
            return "Corrupt Registry Database!";
        case win32::ERROR_BADKEY:
            return "Key name is bad.";
        case win32::ERROR_CANTOPEN:
            return "Cannot Open Key.";
        case win32::ERROR_CANTREAD:
            return "Cannot Read Key.";
        case win32::ERROR_CANTWRITE:
            return "Cannot Write Key.";
        default:
            return "Undefined key error code!";
    }
}

std::string hexBytes(const std::uint8_t* data, std::size_t length) {
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(data[i]));
        if (i > 0) text += ' ';
        text += digits;
    }
    return text;
}

// The bytes taken two at a time from the end, each pair as a four-digit group: the
// eight-digit hexadecimal form of a little-endian DWORD.
std::string hexDword(const std::uint8_t* data, std::size_t length) {
    std::string text;
    char digits[8];
    for (std::size_t end = length; end > 0; end = end >= 2 ? end - 2 : 0) {
        unsigned pair = data[end - 1];
        if (end >= 2) pair = pair * 256 + data[end - 2];
        std::snprintf(digits, sizeof digits, "%04X", pair);
        text += digits;
    }
    return text;
}

double dwordNumber(const std::uint8_t* data, std::size_t length) {
    double number = 0;
    double weight = 1;
    for (std::size_t i = 0; i < std::min<std::size_t>(length, 4); ++i) {
        number += data[i] * weight;
        weight *= 256;
    }
    return number;
}

// The value zero-padded to ten digits with thousands separators: 0,000,000,005.
std::string groupedDecimal(double value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010.0f", value);
    std::string plain = digits;
    std::string grouped;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i > 0 && (plain.size() - i) % 3 == 0) grouped += ',';
        grouped += plain[i];
    }
    return grouped;
}

std::string withoutTerminator(const std::uint8_t* data, std::size_t length) {
    if (length > 0 && data[length - 1] == 0) --length;
    return std::string(reinterpret_cast<const char*>(data), length);
}

// DirValue's data text and type code for one value.
std::pair<std::string, std::string> describeData(win32::DWORD type, const std::uint8_t* data,
                                                 std::size_t length) {
    switch (type) {
        case win32::REG_BINARY:
            return {hexBytes(data, length), "1"};
        case win32::REG_DWORD:
            return {hexDword(data, length) + " (" + groupedDecimal(dwordNumber(data, length)) + ")",
                    "2"};
        default:
            return {withoutTerminator(data, length), "0"};
    }
}

std::int32_t typeCodeOf(win32::DWORD registryType) {
    switch (registryType) {
        case win32::REG_BINARY:
            return clsEasyRegistry::BINARY;
        case win32::REG_DWORD:
            return clsEasyRegistry::DWORD;
        default:
            return clsEasyRegistry::STRING;
    }
}

}  // namespace

clsEasyRegistry::clsEasyRegistry() = default;

clsEasyRegistry::~clsEasyRegistry() {
    // A destructor must not raise: the close is attempted and its result only recorded.
    if (currentPath_.empty() || keyHandle_ == 0) return;
    try {
        lastResult_ = win32::RegCloseKey(keyHandle_);
    } catch (...) {
        // The platform services are already gone; there is nothing left to close.
    }
}

std::string clsEasyRegistry::CurrentKey() const {
    return currentPath_;
}

void clsEasyRegistry::Cd(const std::string& strDirectory) {
    OpenPath(strDirectory, win32::KEY_QUERY_VALUE);
}

std::optional<std::vector<std::string>> clsEasyRegistry::DirKey() {
    if (currentPath_.empty()) {
        std::vector<std::string> names;
        for (const auto& root : kRoots) names.emplace_back(root.name);
        return names;
    }
    OpenPath(".", win32::KEY_QUERY_VALUE | win32::KEY_ENUMERATE_SUB_KEYS);
    const KeyInfo info = QueryInfo();
    if (info.subKeys < 1) return std::nullopt;

    std::vector<char> name(std::max(kMinimumBuffer, info.maxSubKeyLength + 1));
    std::vector<char> keyClass(std::max(kMinimumBuffer, info.maxClassLength + 1));
    std::vector<std::string> names;
    for (win32::DWORD index = 0; index < info.subKeys; ++index) {
        win32::DWORD nameLength = static_cast<win32::DWORD>(name.size());
        win32::DWORD classLength = static_cast<win32::DWORD>(keyClass.size());
        const win32::LONG result =
            win32::RegEnumKeyExA(keyHandle_, index, name.data(), &nameLength, nullptr,
                                 keyClass.data(), &classLength, nullptr);
        CheckResult(result);
        // A key removed meanwhile by another process leaves no name to report.
        if (result == win32::ERROR_SUCCESS) names.emplace_back(name.data(), nameLength);
    }
    if (names.empty()) return std::nullopt;
    return names;
}

std::optional<clsEasyRegistry::ValueTable> clsEasyRegistry::DirValue() {
    if (currentPath_.empty()) return std::nullopt;
    OpenPath(".", win32::KEY_QUERY_VALUE);
    const KeyInfo info = QueryInfo();
    if (info.values < 1) return std::nullopt;

    // Sized from the key's own longest name and data so that every value is reported,
    // however large.
    std::vector<char> name(std::max(kMinimumBuffer, info.maxValueNameLength + 1));
    std::vector<std::uint8_t> data(std::max(kMinimumBuffer, info.maxValueLength));
    ValueTable table;
    for (win32::DWORD index = 0; index < info.values; ++index) {
        win32::DWORD type = win32::REG_NONE;
        win32::DWORD nameLength = 0;
        win32::DWORD dataLength = 0;
        const win32::LONG result = EnumValue(index, name, data, type, nameLength, dataLength);
        CheckResult(result);
        if (result != win32::ERROR_SUCCESS) continue;
        table[0].emplace_back(name.data(), nameLength);
        if (dataLength == 0) {
            table[1].emplace_back();
            table[2].emplace_back();
        } else {
            auto [text, code] = describeData(type, data.data(), dataLength);
            table[1].push_back(std::move(text));
            table[2].push_back(std::move(code));
        }
    }
    if (table[0].empty()) return std::nullopt;
    return table;
}

void clsEasyRegistry::ValueOf(const std::string& strValueName, std::int32_t lngValueType,
                              const Variant& vntValue) {
    const EncodedValue encoded = Encode(lngValueType, vntValue);
    OpenPath(".", win32::KEY_SET_VALUE);
    CheckResult(win32::RegSetValueExA(keyHandle_, strValueName.c_str(), 0, encoded.type,
                                      encoded.data.data(),
                                      static_cast<win32::DWORD>(encoded.data.size())));
}

clsEasyRegistry::Value clsEasyRegistry::ValueOf(const std::string& strValueName,
                                                std::int32_t& lngValueType) {
    if (!currentPath_.empty()) OpenPath(".", win32::KEY_QUERY_VALUE);

    win32::DWORD type = win32::REG_NONE;
    std::vector<std::uint8_t> data = QueryData(strValueName, type);

    lngValueType = typeCodeOf(type);
    Value value;
    if (data.empty()) return value;
    switch (type) {
        case win32::REG_BINARY:
            value.text = hexBytes(data.data(), data.size());
            value.bytes = std::move(data);
            break;
        case win32::REG_DWORD:
            value.text = hexDword(data.data(), data.size());
            value.number = dwordNumber(data.data(), data.size());
            value.bytes = std::move(data);
            break;
        default:
            value.text = withoutTerminator(data.data(), data.size());
            value.bytes.assign(value.text.begin(), value.text.end());
            break;
    }
    return value;
}

// The value's data: its size first, then the data into a buffer of exactly that size.
// Another process may make the value longer in between; that read then fails with the
// new size and is made again. A buffer the registry did not fill is never taken for data.
std::vector<std::uint8_t> clsEasyRegistry::QueryData(const std::string& name, win32::DWORD& type) {
    constexpr int kAttempts = 4;
    win32::DWORD length = 0;
    CheckResult(
        win32::RegQueryValueExA(keyHandle_, name.c_str(), nullptr, &type, nullptr, &length));
    win32::LONG result = win32::ERROR_MORE_DATA;
    std::vector<std::uint8_t> data;
    for (int attempt = 0; attempt < kAttempts && result == win32::ERROR_MORE_DATA; ++attempt) {
        data.assign(length, 0);
        result = win32::RegQueryValueExA(keyHandle_, name.c_str(), nullptr, &type,
                                         data.empty() ? nullptr : data.data(), &length);
        CheckResult(result);
    }
    if (result != win32::ERROR_SUCCESS) return {};
    data.resize(std::min<std::size_t>(length, data.size()));
    return data;
}

clsEasyRegistry::Value clsEasyRegistry::ValueOf(const std::string& strValueName) {
    std::int32_t ignoredType = 0;
    return ValueOf(strValueName, ignoredType);
}

void clsEasyRegistry::SuppressErrors(bool bMode) {
    suppressErrors_ = bMode;
}

bool clsEasyRegistry::SuppressErrors() const {
    return suppressErrors_;
}

void clsEasyRegistry::MakeKey(const std::string& strDirectory) {
    OpenPath(".", win32::KEY_CREATE_SUB_KEY);
    win32::HKEY created = 0;
    win32::DWORD disposition = 0;
    CheckResult(win32::RegCreateKeyExA(keyHandle_, strDirectory.c_str(), 0, "",
                                       win32::REG_OPTION_NON_VOLATILE, win32::KEY_ALL_ACCESS,
                                       nullptr, &created, &disposition));
    if (created != 0) CheckResult(win32::RegCloseKey(created));
}

void clsEasyRegistry::DeleteKey(const std::string& strName) {
    OpenPath(".", win32::KEY_SET_VALUE);
    CheckResult(win32::RegDeleteKeyA(keyHandle_, strName.c_str()));
}

void clsEasyRegistry::DeleteValue(const std::string& strName) {
    OpenPath(".", win32::KEY_SET_VALUE);
    CheckResult(win32::RegDeleteValueA(keyHandle_, strName.c_str()));
}

bool clsEasyRegistry::IsWindowsNT() {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    if (!win32::GetVersionExA(&info)) return false;
    return info.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
}

std::int32_t clsEasyRegistry::lastError() const {
    return lastResult_;
}

// Path resolution: a lone backslash goes to the root, ".." one key up, "." reopens the
// current key with ACCESS, a path beginning with a backslash is absolute and anything
// else is relative to the current key.
void clsEasyRegistry::OpenPath(std::string strPath, win32::REGSAM access) {
    strPath = std::string(platform::trimSpaces(platform::upperAscii(strPath)));
    if (strPath == "\\") {
        GoToRoot();
    } else if (strPath == "..") {
        if (currentPath_.empty()) RaiseClassError(1);
        OpenPath(currentPath_.substr(0, currentPath_.rfind('\\') + 1), access);
    } else if (strPath == ".") {
        Reopen(access);
    } else {
        if (strPath.size() >= 2 && strPath.back() == '\\') strPath.pop_back();
        if (currentPath_.empty() && !strPath.starts_with('\\')) strPath.insert(0, 1, '\\');
        if (strPath.starts_with('\\')) {
            OpenAbsolute(strPath, access);
        } else {
            OpenRelative(strPath, access);
        }
    }
}

void clsEasyRegistry::GoToRoot() {
    // The close is the move's only registry call, so its result is the one reported,
    // success included.
    if (!currentPath_.empty() && keyHandle_ != 0) CheckResult(win32::RegCloseKey(keyHandle_));
    currentPath_.clear();
    keyHandle_ = 0;
}

void clsEasyRegistry::Reopen(win32::REGSAM access) {
    win32::HKEY reopened = 0;
    CheckResult(win32::RegOpenKeyExA(keyHandle_, nullptr, 0, access, &reopened));
    if (!currentPath_.empty()) CloseHandle(keyHandle_);
    keyHandle_ = reopened;
}

void clsEasyRegistry::OpenAbsolute(const std::string& path, win32::REGSAM access) {
    if (!currentPath_.empty()) CloseHandle(keyHandle_);
    keyHandle_ = 0;
    const win32::HKEY root = RootHandle(RootName(path));
    currentPath_ = path;
    win32::HKEY opened = 0;
    CheckResult(win32::RegOpenKeyExA(root, SubPath(path).c_str(), 0, access, &opened));
    keyHandle_ = opened;
}

void clsEasyRegistry::OpenRelative(const std::string& path, win32::REGSAM access) {
    // An empty path reopens the current key and leaves the path as it is.
    if (!path.empty()) currentPath_ += '\\' + path;
    win32::HKEY opened = 0;
    CheckResult(win32::RegOpenKeyExA(keyHandle_, path.c_str(), 0, access, &opened));
    CloseHandle(keyHandle_);
    keyHandle_ = opened;
}

// Closes a key the object is done with. Handle 0 stands for "no key" and is not closed,
// so an object whose open failed can still move on. A successful close does not
// overwrite the result of the open that preceded it.
void clsEasyRegistry::CloseHandle(win32::HKEY handle) {
    if (handle == 0) return;
    const win32::LONG result = win32::RegCloseKey(handle);
    if (result != win32::ERROR_SUCCESS) CheckResult(result);
}

clsEasyRegistry::KeyInfo clsEasyRegistry::QueryInfo() {
    KeyInfo info;
    std::vector<char> keyClass(kMinimumBuffer);
    win32::DWORD classLength = kMinimumBuffer;
    CheckResult(win32::RegQueryInfoKeyA(keyHandle_, keyClass.data(), &classLength, nullptr,
                                        &info.subKeys, &info.maxSubKeyLength, &info.maxClassLength,
                                        &info.values, &info.maxValueNameLength,
                                        &info.maxValueLength, nullptr, nullptr));
    return info;
}

// One RegEnumValueA call, growing the buffers when the value outgrew them since the key
// was queried (another process may write meanwhile).
win32::LONG clsEasyRegistry::EnumValue(win32::DWORD index, std::vector<char>& name,
                                       std::vector<std::uint8_t>& data, win32::DWORD& type,
                                       win32::DWORD& nameLength, win32::DWORD& dataLength) {
    constexpr int kAttempts = 4;
    win32::LONG result = win32::ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kAttempts && result == win32::ERROR_MORE_DATA; ++attempt) {
        if (attempt > 0) {
            const KeyInfo info = QueryInfo();
            name.resize(std::max<std::size_t>(name.size() * 2, info.maxValueNameLength + 1));
            data.resize(std::max<std::size_t>({data.size(), info.maxValueLength, dataLength}));
        }
        nameLength = static_cast<win32::DWORD>(name.size());
        dataLength = static_cast<win32::DWORD>(data.size());
        result = win32::RegEnumValueA(keyHandle_, index, name.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataLength);
    }
    return result;
}

std::string clsEasyRegistry::RootName(const std::string& path) {
    const auto end = path.find('\\', 1);
    return path.substr(1, end == std::string::npos ? std::string::npos : end - 1);
}

std::string clsEasyRegistry::SubPath(const std::string& path) {
    const auto end = path.find('\\', 1);
    return end == std::string::npos ? std::string() : path.substr(end + 1);
}

win32::HKEY clsEasyRegistry::RootHandle(const std::string& rootName) {
    for (const auto& root : kRoots) {
        if (rootName == root.name) return root.handle;
    }
    RaiseClassError(2);
}

int clsEasyRegistry::DimensionCount(const Variant& value) {
    if (std::holds_alternative<Bytes>(value)) return 1;
    if (std::holds_alternative<ByteMatrix>(value)) return 2;
    return 0;
}

clsEasyRegistry::EncodedValue clsEasyRegistry::Encode(std::int32_t typeCode, const Variant& value) {
    switch (typeCode) {
        case STRING: {
            const auto* text = std::get_if<std::string>(&value);
            if (text == nullptr) RaiseClassError(3);
            EncodedValue encoded{win32::REG_SZ, {text->begin(), text->end()}};
            encoded.data.push_back(0);
            return encoded;
        }
        case BINARY:
        case MULTI_STRING: {
            if (DimensionCount(value) != 1) RaiseClassError(3);
            return {typeCode == BINARY ? win32::REG_BINARY : win32::REG_MULTI_SZ,
                    std::get<Bytes>(value)};
        }
        case DWORD: {
            const auto* number = std::get_if<double>(&value);
            if (number == nullptr || !(*number >= 0 && *number <= 4294967295.0) ||
                *number != std::trunc(*number)) {
                RaiseClassError(3);
            }
            const auto whole = static_cast<std::uint32_t>(*number);
            return {
                win32::REG_DWORD,
                {static_cast<std::uint8_t>(whole), static_cast<std::uint8_t>(whole >> 8),
                 static_cast<std::uint8_t>(whole >> 16), static_cast<std::uint8_t>(whole >> 24)}};
        }
        default:
            RaiseClassError(4);
    }
}

void clsEasyRegistry::CheckResult(win32::LONG result) {
    lastResult_ = result;
    if (result == win32::ERROR_SUCCESS || suppressErrors_) return;
    throw RaisedError(kApiError, kApiSource, describeApiResult(result));
}

void clsEasyRegistry::RaiseClassError(int number) {
    switch (number) {
        case 1:
            throw RaisedError(kClassErrorBase + 1, kSource, "No current Key.");
        case 2:
            throw RaisedError(kClassErrorBase + 2, kSource, "Invalid Key root.");
        case 3:
            throw RaisedError(kClassErrorBase + 3, kSetterSource,
                              "Type passed doesn't match Value passed.");
        default:
            throw RaisedError(kClassErrorBase + 4, kSetterSource,
                              "Type passed doesn't exist. Use STRING, DWORD or BINARY.");
    }
}
