#include "tests/browser/BrowserTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "registry/clsEasyRegistry.h"

namespace browsertest {
namespace {

// Opens KEY, creating the chain of keys below its root when needed.
void cdCreating(clsEasyRegistry& registry, const std::string& key) {
    registry.SuppressErrors(true);
    registry.Cd(key);
    if (registry.lastError() == 0) return;
    const std::size_t rootEnd = key.find('\\', 1);
    registry.Cd(key.substr(0, rootEnd));
    registry.MakeKey(key.substr(rootEnd + 1));
    registry.Cd(key);
    ASSERT_EQ(registry.lastError(), 0) << key;
}

}  // namespace

std::filesystem::path NativeFiles::toNative(const std::string& windowsPath) {
    return windowsPath;
}

std::string NativeFiles::toWindows(const std::filesystem::path& nativePath) {
    return nativePath.string();
}

bool NativeFiles::fileExists(const std::string& windowsPath) {
    return std::filesystem::is_regular_file(windowsPath);
}

std::filesystem::path dataFile(const std::string& name) {
    return std::filesystem::path(ROAMWISE_BROWSER_TEST_DATA) / name;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, const std::string& contents) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string withCrLf(const std::string& contents) {
    std::string normalised;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r' || contents[i] == '\n') {
            if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
            normalised += "\r\n";
        } else {
            normalised += contents[i];
        }
    }
    if (!normalised.empty() && !normalised.ends_with("\r\n")) normalised += "\r\n";
    return normalised;
}

void setString(const std::string& key, const std::string& name, const std::string& value) {
    clsEasyRegistry registry;
    cdCreating(registry, key);
    registry.ValueOf(name, clsEasyRegistry::STRING, value);
    ASSERT_EQ(registry.lastError(), 0);
}

void setBinary(const std::string& key, const std::string& name,
               const std::vector<std::uint8_t>& bytes) {
    clsEasyRegistry registry;
    cdCreating(registry, key);
    registry.ValueOf(name, clsEasyRegistry::BINARY, clsEasyRegistry::Bytes(bytes));
    ASSERT_EQ(registry.lastError(), 0);
}

void setDword(const std::string& key, const std::string& name, std::uint32_t value) {
    clsEasyRegistry registry;
    cdCreating(registry, key);
    registry.ValueOf(name, clsEasyRegistry::DWORD, static_cast<double>(value));
    ASSERT_EQ(registry.lastError(), 0);
}

void deleteValue(const std::string& key, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    registry.DeleteValue(name);
}

void deleteKey(const std::string& parent, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(parent);
    registry.DeleteKey(name);
}

StoredValue readValue(const std::string& key, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    StoredValue stored;
    const clsEasyRegistry::Value value = registry.ValueOf(name, stored.type);
    stored.found = registry.lastError() == 0;
    stored.text = value.text;
    stored.bytes = value.bytes;
    return stored;
}

}  // namespace browsertest
