#pragma once
// What the add-in tests drive the hosts add-in with: the built library loaded with dlopen
// as the host loads it, and a fake host whose machine is a temporary folder ("C:\X\Y" is
// FOLDER/C/X/Y) with profile files, whole-file reads and writes, and recorded message
// boxes. Failures and exceptions can be arranged per function.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "addins/sdk/RoamwiseAddIn.h"
#include "tests/support/TestMachine.h"

namespace addintest {

// A file's bytes; "" when it does not exist.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

class FakeHost {
  public:
    FakeHost();

    // The native file of the machine path PATH.
    std::filesystem::path native(const std::string& path) const;
    // Makes the folders of a Windows 95/98 (C:\WINDOWS, C:\WINDOWS\SYSTEM) or an NT
    // (C:\WINNT, C:\WINNT\system32\drivers\etc) machine and answers with them.
    void makeWindows98();
    void makeWindowsNT();

    rmw_host_services table();

    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    // Win32 errors read_file and write_file answer for a path, instead of acting.
    std::map<std::string, int32_t> readErrors, writeErrors;
    // Run inside write_file before it writes (a test throws from here).
    std::function<void()> beforeWrite;
    bool listsKeys = true;  // whether a NULL key lists the section's key names

    struct MessageBox {
        std::string text, caption;
        uint32_t type;
    };
    std::vector<MessageBox> messageBoxes;
    int fileWrites = 0;

  private:
    static FakeHost& self(void* context) { return *static_cast<FakeHost*>(context); }
    static int32_t RMW_ADDIN_CALL messageBox(void*, const char*, const char*, uint32_t);
    static uint32_t RMW_ADDIN_CALL windowsFolder(void*, char*, uint32_t);
    static uint32_t RMW_ADDIN_CALL systemFolder(void*, char*, uint32_t);
    static uint32_t RMW_ADDIN_CALL getProfile(void*, const char*, const char*, const char*, char*,
                                              uint32_t, const char*);
    static int32_t RMW_ADDIN_CALL writeProfile(void*, const char*, const char*, const char*,
                                               const char*);
    static int32_t RMW_ADDIN_CALL readFile(void*, const char*,
                                           void(RMW_ADDIN_CALL*)(void*, const char*, size_t),
                                           void*);
    static int32_t RMW_ADDIN_CALL writeFile(void*, const char*, const char*, size_t);

    testsupport::TempFolder folder_;
};

// A call's outcome: the status and, when it failed, the error's number and texts.
struct Outcome {
    int32_t status = RMW_OK;
    int32_t number = 0;
    std::string source, description;
    rmw_value result{};
};

// The hosts add-in library, loaded once per test program.
const rmw_addin_library& hostsLibrary();

// One object of the hosts add-in on a fake host, released with the wrapper.
class HostsObject {
  public:
    explicit HostsObject(FakeHost& host, const char* classId = "Roamwise.Hosts");
    ~HostsObject();
    HostsObject(const HostsObject&) = delete;
    HostsObject& operator=(const HostsObject&) = delete;

    Outcome call(const std::string& name, const std::vector<rmw_value>& arguments = {});
    Outcome callWithPath(const std::string& name, const std::string& path) {
        return call(name, {text(path)});
    }
    Outcome property(const std::string& name);

    static rmw_value text(const std::string& value);

  private:
    rmw_host_services services_;
    rmw_addin_object* object_ = nullptr;
};

}  // namespace addintest
