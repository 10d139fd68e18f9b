#include "AddInHarness.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/emulated/IniFile.h"

namespace addintest {

namespace {

uint32_t copyAnswer(const std::string& answer, char* buffer, uint32_t size) {
    if (answer.size() + 1 > size) return static_cast<uint32_t>(answer.size() + 1);
    std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return static_cast<uint32_t>(answer.size());
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The key names of SECTION in the profile text BYTES, each ended by a zero byte.
std::string keyList(const std::string& bytes, const std::string& section) {
    std::istringstream lines(bytes);
    std::string line, list;
    bool inSection = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string text = trimmed(line);
        if (!text.empty() && text.front() == '[') {
            inSection = lowered(trimmed(text.substr(1, text.find(']') - 1))) == lowered(section);
        } else if (inSection && !text.empty() && text.front() != ';' &&
                   text.find('=') != std::string::npos) {
            list += trimmed(text.substr(0, text.find('='))) + '\0';
        }
    }
    return list;
}

}  // namespace

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

FakeHost::FakeHost() { makeWindows98(); }

std::filesystem::path FakeHost::native(const std::string& path) const {
    std::string relative = path;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    relative.erase(std::remove(relative.begin(), relative.end(), ':'), relative.end());
    return folder_.path() / relative;
}

void FakeHost::makeWindows98() {
    windowsDirectory = "C:\\WINDOWS";
    systemDirectory = "C:\\WINDOWS\\SYSTEM";
    std::filesystem::create_directories(native(systemDirectory));
}

void FakeHost::makeWindowsNT() {
    windowsDirectory = "C:\\WINNT";
    systemDirectory = "C:\\WINNT\\system32";
    std::filesystem::create_directories(native(systemDirectory + "\\drivers\\etc"));
}

rmw_host_services FakeHost::table() {
    return rmw_host_services{sizeof(rmw_host_services), this, &messageBox, &windowsFolder,
                             &systemFolder, &getProfile, &writeProfile, &readFile, &writeFile};
}

int32_t FakeHost::messageBox(void* context, const char* text, const char* caption, uint32_t type) {
    self(context).messageBoxes.push_back({text, caption, type});
    return 1;
}

uint32_t FakeHost::windowsFolder(void* context, char* buffer, uint32_t size) {
    return copyAnswer(self(context).windowsDirectory, buffer, size);
}

uint32_t FakeHost::systemFolder(void* context, char* buffer, uint32_t size) {
    return copyAnswer(self(context).systemDirectory, buffer, size);
}

uint32_t FakeHost::getProfile(void* context, const char* section, const char* key,
                              const char* defaultValue, char* buffer, uint32_t size,
                              const char* file) {
    FakeHost& host = self(context);
    const std::string bytes = readBytes(host.native(file));
    std::string answer;
    if (!key) {
        const std::string list = host.listsKeys ? keyList(bytes, section) : std::string();
        if (list.size() + 1 <= size) {
            std::memcpy(buffer, list.data(), list.size());
            buffer[list.size()] = '\0';
            if (list.empty() && size > 1) buffer[1] = '\0';
            return static_cast<uint32_t>(list.size());
        }
        std::memcpy(buffer, list.data(), size - 2);  // cut, as the system does
        buffer[size - 2] = buffer[size - 1] = '\0';
        return size - 2;
    }
    answer = platform::emulated::IniFile(bytes).value(section, key).value_or(defaultValue);
    if (answer.size() + 1 > size) answer.resize(size - 1);
    std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return static_cast<uint32_t>(answer.size());
}

int32_t FakeHost::writeProfile(void* context, const char* section, const char* key,
                               const char* value, const char* file) {
    const std::filesystem::path path = self(context).native(file);
    platform::emulated::IniFile ini(readBytes(path));
    if (!key) {
        ini.removeSection(section);
    } else if (!value) {
        ini.removeKey(section, key);
    } else {
        ini.setValue(section, key, value);
    }
    writeBytes(path, ini.bytes());
    return 1;
}

int32_t FakeHost::readFile(void* context, const char* path,
                           void(RMW_ADDIN_CALL* sink)(void*, const char*, size_t),
                           void* sinkContext) {
    FakeHost& host = self(context);
    if (auto error = host.readErrors.find(path); error != host.readErrors.end()) {
        return error->second;
    }
    const std::filesystem::path file = host.native(path);
    if (!std::filesystem::exists(file)) return 2;
    const std::string bytes = readBytes(file);
    sink(sinkContext, bytes.data(), bytes.size());
    return 0;
}

int32_t FakeHost::writeFile(void* context, const char* path, const char* data, size_t length) {
    FakeHost& host = self(context);
    if (host.beforeWrite) host.beforeWrite();
    if (auto error = host.writeErrors.find(path); error != host.writeErrors.end()) {
        return error->second;
    }
    const std::filesystem::path file = host.native(path);
    if (!std::filesystem::is_directory(file.parent_path())) return 3;
    std::ofstream(file, std::ios::binary) << std::string(data, length);
    ++host.fileWrites;
    return 0;
}

const rmw_addin_library& hostsLibrary() {
    static const rmw_addin_library* library = [] {
        void* handle = dlopen(ROAMWISE_HOSTS_ADDIN, RTLD_NOW | RTLD_LOCAL);
        if (!handle) throw std::runtime_error(dlerror());
        auto entry = reinterpret_cast<rmw_addin_entry_function>(dlsym(handle, RMW_ADDIN_ENTRY_NAME));
        if (!entry) throw std::runtime_error("no rmw_addin_entry");
        return entry(RMW_ADDIN_INTERFACE_VERSION);
    }();
    return *library;
}

HostsObject::HostsObject(FakeHost& host, const char* classId) : services_(host.table()) {
    rmw_error error{};
    const int32_t status = hostsLibrary().create_object(classId, &services_, &object_, &error);
    if (status != RMW_OK) {
        throw std::runtime_error(std::string("create_object failed: ") +
                                 (error.description ? error.description : ""));
    }
}

HostsObject::~HostsObject() { hostsLibrary().release_object(object_); }

Outcome HostsObject::call(const std::string& name, const std::vector<rmw_value>& arguments) {
    Outcome outcome;
    rmw_error error{};
    outcome.status = hostsLibrary().invoke_method(object_, name.c_str(), arguments.data(),
                                                  arguments.size(), &outcome.result, &error);
    if (outcome.status != RMW_OK) {
        outcome.number = error.number;
        outcome.source = error.source ? error.source : "";
        outcome.description = error.description ? error.description : "";
    }
    return outcome;
}

Outcome HostsObject::property(const std::string& name) {
    Outcome outcome;
    rmw_error error{};
    outcome.status = hostsLibrary().get_property(object_, name.c_str(), &outcome.result, &error);
    if (outcome.status != RMW_OK) {
        outcome.number = error.number;
        outcome.source = error.source ? error.source : "";
        outcome.description = error.description ? error.description : "";
    }
    return outcome;
}

rmw_value HostsObject::text(const std::string& value) {
    rmw_value result{};
    result.kind = RMW_VALUE_TEXT;
    result.text = value.data();
    result.length = value.size();
    return result;
}

}  // namespace addintest
