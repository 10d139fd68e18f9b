#include "HostServices.h"

#include <cstddef>

#include "AddInError.h"

namespace hostsaddin {

namespace {

constexpr std::uint32_t kFirstBufferSize = 1024;
constexpr std::uint32_t kLargestBufferSize = 64u << 20;

void appendTo(void* sinkContext, const char* data, std::size_t length) {
    static_cast<std::string*>(sinkContext)->append(data, length);
}

}  // namespace

bool HostServices::isComplete(const rmw_host_services* table) {
    return table != nullptr &&
           table->struct_size >= offsetof(rmw_host_services, write_file) + sizeof(table->write_file) &&
           table->message_box && table->get_windows_directory && table->get_system_directory &&
           table->get_private_profile_string && table->write_private_profile_string &&
           table->read_file && table->write_file;
}

HostServices::HostServices(const rmw_host_services& table) : table_(table) {}

std::string HostServices::windowsDirectory() const {
    return directory(table_.get_windows_directory, "Windows folder");
}

std::string HostServices::systemDirectory() const {
    return directory(table_.get_system_directory, "system folder");
}

std::string HostServices::directory(uint32_t(RMW_ADDIN_CALL* function)(void*, char*, uint32_t),
                                    const char* what) const {
    std::string buffer(260, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::uint32_t length =
            function(table_.context, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
        if (length == 0) break;
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.assign(length + 1, '\0');  // too small: LENGTH is the size needed
    }
    throw AddInError(AddInError::kObjectError + 516,
                     std::string("The program could not tell where the ") + what + " is.");
}

std::string HostServices::profileAnswer(const std::string& section, const char* key,
                                        const std::string& file) const {
    for (std::uint32_t size = kFirstBufferSize; size <= kLargestBufferSize; size *= 4) {
        std::string buffer(size, '\0');
        const std::uint32_t length = table_.get_private_profile_string(
            table_.context, section.c_str(), key, "", buffer.data(), size, file.c_str());
        // A full buffer (size - 1 for a value, size - 2 for a key list) may have been cut.
        if (length + 2 < size) return buffer.substr(0, length);
    }
    throw AddInError(AddInError::kObjectError + 517,
                     "The section [" + section + "] of " + file + " is too large to read.");
}

std::string HostServices::profileString(const std::string& section, const std::string& key,
                                        const std::string& file) const {
    return profileAnswer(section, key.c_str(), file);
}

std::vector<std::string> HostServices::profileKeys(const std::string& section,
                                                   const std::string& file) const {
    const std::string list = profileAnswer(section, nullptr, file);
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t zero = std::min(list.find('\0', start), list.size());
        if (zero > start) keys.push_back(list.substr(start, zero - start));
        start = zero + 1;
    }
    return keys;
}

void HostServices::writeProfileString(const std::string& section,
                                      const std::optional<std::string>& key,
                                      const std::optional<std::string>& value,
                                      const std::string& file) const {
    const int32_t written = table_.write_private_profile_string(
        table_.context, section.c_str(), key ? key->c_str() : nullptr,
        value ? value->c_str() : nullptr, file.c_str());
    if (written == 0) {
        throw AddInError(AddInError::kObjectError + 518,
                         "The host entries could not be written to the configuration file " +
                             file + ".");
    }
}

HostServices::FileContent HostServices::readFile(const std::string& path) const {
    FileContent result;
    result.error = static_cast<std::uint32_t>(
        table_.read_file(table_.context, path.c_str(), &appendTo, &result.content));
    if (result.error != 0) result.content.clear();
    return result;
}

std::uint32_t HostServices::writeFile(const std::string& path, const std::string& content) const {
    return static_cast<std::uint32_t>(
        table_.write_file(table_.context, path.c_str(), content.data(), content.size()));
}

int HostServices::messageBox(const std::string& text, const std::string& caption,
                             std::uint32_t type) const {
    return table_.message_box(table_.context, text.c_str(), caption.c_str(), type);
}

}  // namespace hostsaddin
