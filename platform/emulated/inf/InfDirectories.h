#pragma once
// The directory ids an INF file names folders by (Windows' dirids), resolved for the
// running machine: 01 the INF's own folder, 10 the Windows folder, 11 the system folder,
// 17 the INF folder, 24 the root of the Windows drive, 16422 Program Files and so on,
// plus the ids 49000-49999 that a CustomDestination section defines for one run.

#include <map>
#include <optional>
#include <string>

namespace platform::emulated::inf {

class InfDirectories {
  public:
    // SOURCEFOLDER is the folder of the INF being installed (a Windows path).
    explicit InfDirectories(std::string sourceFolder);

    // The folder of DIRID without a trailing backslash, or nothing for an id this
    // machine does not know.
    std::optional<std::string> folder(long dirid) const;
    void define(long dirid, std::string folder) { custom_[dirid] = std::move(folder); }
    static bool isCustom(long dirid) { return dirid >= 49000 && dirid <= 49999; }

  private:
    std::string sourceFolder_;
    std::map<long, std::string> custom_;
};

// The number a dirid or flags field holds (decimal, or hexadecimal after 0x); nothing
// when the text is no number.
std::optional<long> parseInfNumber(const std::string& text);

}  // namespace platform::emulated::inf
