#pragma once
// The machine as the host hands it to the add-in: folders, profile strings, whole files
// and message boxes, all through the host's rmw_host_services table, so that they act on
// the machine the host works on and take part in its save and apply. Failures of the
// host's functions become AddInError.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "addins/sdk/RoamwiseAddIn.h"

namespace hostsaddin {

class HostServices {
  public:
    // Whether TABLE reaches every function this add-in calls.
    static bool isComplete(const rmw_host_services* table);

    explicit HostServices(const rmw_host_services& table);

    std::string windowsDirectory() const;
    std::string systemDirectory() const;

    // The value of KEY in SECTION of FILE, "" when there is none.
    std::string profileString(const std::string& section, const std::string& key,
                              const std::string& file) const;
    // The key names of SECTION of FILE.
    std::vector<std::string> profileKeys(const std::string& section, const std::string& file) const;
    // Writes (or, with no value, removes) KEY; with no key, removes SECTION.
    void writeProfileString(const std::string& section, const std::optional<std::string>& key,
                            const std::optional<std::string>& value, const std::string& file) const;

    struct FileContent {
        std::uint32_t error = 0;  // a Win32 error code; 0 when CONTENT is the file's
        std::string content;
    };
    FileContent readFile(const std::string& path) const;
    // The Win32 error code of replacing PATH's content with CONTENT, 0 on success.
    std::uint32_t writeFile(const std::string& path, const std::string& content) const;

    int messageBox(const std::string& text, const std::string& caption, std::uint32_t type) const;

  private:
    std::string directory(uint32_t(RMW_ADDIN_CALL* function)(void*, char*, uint32_t),
                          const char* what) const;
    // Calls the profile reader with growing buffers until the answer fits.
    std::string profileAnswer(const std::string& section, const char* key,
                              const std::string& file) const;

    rmw_host_services table_{};
};

}  // namespace hostsaddin
