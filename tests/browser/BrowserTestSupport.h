#pragma once
// Helpers shared by the browser tests: sample files, whole-file reads and writes, and
// registry values set up through the path wrapper.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace browsertest {

// A file system whose paths are the native ones: for tests of file handling that need
// no machine.
class NativeFiles : public platform::FileSystem {
  public:
    std::filesystem::path toNative(const std::string& windowsPath) override;
    std::string toWindows(const std::filesystem::path& nativePath) override;
    bool fileExists(const std::string& windowsPath) override;
};

std::filesystem::path dataFile(const std::string& name);
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& contents);
// CR LF for every line end (CR LF, CR or LF alone), and one after the last line.
std::string withCrLf(const std::string& contents);

// Registry values below an absolute path such as \HKEY_CURRENT_USER\Software\X; the
// key is created when missing.
void setString(const std::string& key, const std::string& name, const std::string& value);
void setBinary(const std::string& key, const std::string& name,
               const std::vector<std::uint8_t>& bytes);
void setDword(const std::string& key, const std::string& name, std::uint32_t value);
void deleteValue(const std::string& key, const std::string& name);
void deleteKey(const std::string& parent, const std::string& name);
// The stored text (strings) and bytes of a value; found false when it is missing.
struct StoredValue {
    bool found = false;
    std::int32_t type = 0;
    std::string text;
    std::vector<std::uint8_t> bytes;
};
StoredValue readValue(const std::string& key, const std::string& name);

}  // namespace browsertest
