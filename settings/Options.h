#pragma once
// The program's switches and remembered choices ("AutoReset", "NICWarning", "Restart",
// "LastFileApplied", ...), kept as text in the "Options" section of the settings store.

#include <string>

// The stored text of KEY, or DEFAULTVALUE when it was never stored.
std::string readOption(const std::string& key, const std::string& defaultValue);
// Creates or replaces KEY.
void storeOption(const std::string& key, const std::string& value);
