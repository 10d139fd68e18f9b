#pragma once
// Applies a registry file to a registry database, as regedit does: keys are created
// as needed, "[-KEY]" removes a key with everything below it, "name"=- removes a value.
// The whole file is one transaction: a file that fails to read or apply changes nothing.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/emulated/RegFileParser.h"
#include "platform/emulated/RegistryDatabase.h"

namespace platform::emulated {

class RegFileImporter {
  public:
    explicit RegFileImporter(RegistryDatabase& database);

    // BYTES is the file's content; FILENAME labels error messages. Throws RegFileError.
    void importBytes(std::string_view bytes, const std::string& fileName);
    // Throws RegFileError when the file cannot be read.
    void importFile(const std::filesystem::path& file);

  private:
    struct CurrentKey {
        KeyId id = 0;
        std::string path;  // folded
    };

    void apply(const RegFileEntry& entry, CurrentKey& current);
    CurrentKey ensureKey(const std::string& fullPath);
    std::string foldedPath(const std::string& fullPath) const;

    RegistryDatabase& database_;
    // The keys this import found or made, by folded path: a file names each parent again
    // with every key below it. Valid within the import's transaction; a removal clears it.
    std::unordered_map<std::string, KeyId> known_;
};

}  // namespace platform::emulated
