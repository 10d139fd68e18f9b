#pragma once
// Writes a key and everything below it as a REGEDIT4 file (CR LF line ends, as regedit
// writes them) that RegFileImporter reads back into the same keys and values.

#include <stdexcept>
#include <string>

#include "platform/emulated/RegistryDatabase.h"

namespace platform::emulated {

class RegFileExporter {
  public:
    explicit RegFileExporter(RegistryDatabase& database);

    // KEYPATH is a full path ("HKEY_LOCAL_MACHINE\Software\X", any case, short root
    // names accepted). Throws RegFileError when the key does not exist, or when a key or
    // value name below it holds a line break, which no registry file can carry.
    std::string exportKey(const std::string& keyPath);

  private:
    // The name the file gives KEY: its own, or below HKEY_CLASSES_ROOT when asked so.
    std::string shownPath(KeyId key, bool asClassesRoot);
    void writeKey(KeyId key, const std::string& displayPath, std::string& out);
    void writeValue(const StoredValue& value, std::string& out) const;

    RegistryDatabase& database_;
};

// "name" with backslashes and quotes escaped, as the file writes names and strings.
std::string quotedRegText(const std::string& text);

}  // namespace platform::emulated
