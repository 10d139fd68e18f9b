#pragma once
// The programs Windows starts at start-up or logon: the values of the machine's Run key,
// each the quoted path of a program. The main program and the tray utility put
// themselves there under their own value names.

#include <string>

class clsEasyRegistry;

class StartupEntries {
  public:
    static constexpr const char* kRunKey =
        "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const char* kMainProgram = "Roamwise";
    static constexpr const char* kTrayUtility = "RmwSysTray";

    // Works through REGISTRY, which its owner keeps with errors suppressed.
    explicit StartupEntries(clsEasyRegistry& registry);

    // Whether the Run key holds a value named NAME.
    bool has(const std::string& name);
    // Makes Windows start PROGRAMPATH (a Windows path) under NAME; the path is written in
    // double quotes so that folders with blanks start too.
    void add(const std::string& name, const std::string& programPath);
    // Removes the value NAME; a missing one is no failure.
    void remove(const std::string& name);

  private:
    clsEasyRegistry& registry_;
};
