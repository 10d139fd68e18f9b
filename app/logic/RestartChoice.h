#pragma once
// The four ways of restarting after an apply and the default one the user stored
// ("Restart" in the "Options" section of the settings store). The codes are what the
// store holds.

#include <string>

namespace RestartChoice {

inline constexpr const char* kManual = "0";    // restart later, by hand
inline constexpr const char* kReboot = "1";    // reboot now
inline constexpr const char* kShutdown = "2";  // shut down now
inline constexpr const char* kSuspend = "3";   // suspend now, if the machine can

// The stored default choice; "0" when none is stored. Any text may stand there.
std::string stored();
// Makes CODE the stored default choice.
void store(const std::string& code);

}  // namespace RestartChoice
