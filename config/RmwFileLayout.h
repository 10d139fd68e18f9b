#pragma once
// The frame of a configuration (.RMW) file: the comment header that starts every saved
// file, and the document's own two sections, "Enabled Sections" and "Advanced". The
// settings backends and the add-ins add their own sections after these.

#include <string>

namespace rmwfile {

inline constexpr const char* kEnabledSections = "Enabled Sections";
inline constexpr const char* kGeneral = "General";
inline constexpr const char* kInternetExplorer = "Internet Explorer";
inline constexpr const char* kNetscapeNavigator = "Netscape Navigator";

inline constexpr const char* kAdvanced = "Advanced";
inline constexpr const char* kAutoApply = "AutoApply";
inline constexpr const char* kAutoReboot = "AutoReboot";
inline constexpr const char* kComments = "Comments";

// The comment lines a save starts the file with, CR LF line ends included, followed by
// two empty lines. Readers ignore it.
std::string headerText();

// A switch as the file holds it: "1" on, "0" off.
inline const char* switchText(bool on) {
    return on ? "1" : "0";
}
// A switch read from the file is on exactly when its text is "1".
inline bool switchIsOn(const std::string& text) {
    return text == "1";
}

}  // namespace rmwfile
