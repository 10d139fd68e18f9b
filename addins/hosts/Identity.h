#pragma once
// What the hosts add-in calls itself: its class, class id, name and version.

namespace hostsaddin {

inline constexpr const char* kProgId = "Roamwise.Hosts";
inline constexpr const char* kClassId = "{BCB90364-292D-47E0-988B-503A6607DFC3}";
inline constexpr const char* kDisplayName = "Roamwise Hosts Add-In";
inline constexpr const char* kVersion = "1.0";

}  // namespace hostsaddin
