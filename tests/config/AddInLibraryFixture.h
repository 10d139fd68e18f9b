#pragma once
// A machine with the test add-in libraries copied onto its C: drive, for the tests of
// add-in libraries and their registration.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Win32.h"
#include "tests/support/TestMachine.h"

namespace addintest {

// The folder the libraries are copied to, as the machine names it.
inline const std::string kFolder = "C:\\Program Files\\Roamwise Test";

// Copies the test libraries into kFolder on the machine whose C: drive is DRIVEC.
inline void copyTestLibraries(const std::filesystem::path& driveC) {
    const auto folder = driveC / "Program Files" / "Roamwise Test";
    std::filesystem::create_directories(folder);
    for (const char* name : {"test_addin_good", "test_addin_no_about", "test_addin_future",
                             "test_addin_failing", "test_not_an_addin"}) {
        std::filesystem::copy_file(
            std::filesystem::path(ROAMWISE_TEST_ADDINS) / (std::string(name) + ".so"),
            folder / (std::string(name) + ".so"));
    }
}

// The machine path of the test library NAME ("test_addin_good").
inline std::string library(const std::string& name) { return kFolder + "\\" + name + ".so"; }

class AddInLibraryTest : public testing::TestWithParam<const char*> {
  protected:
    AddInLibraryTest() : machine_(GetParam()) { copyTestLibraries(machine_.machine().driveC()); }

    // Writes HKEY_CLASSES_ROOT\PATH's default value, as a library's self-registration would.
    static void setClassText(const std::string& path, const std::string& value) {
        win32::HKEY key = 0;
        win32::DWORD disposition = 0;
        ASSERT_EQ(win32::RegCreateKeyExA(win32::HKEY_CLASSES_ROOT, path.c_str(), 0, "", 0,
                                         win32::KEY_ALL_ACCESS, nullptr, &key, &disposition),
                  win32::ERROR_SUCCESS);
        const std::string data = value + '\0';
        win32::RegSetValueExA(key, "", 0, win32::REG_SZ,
                              reinterpret_cast<const win32::BYTE*>(data.data()),
                              static_cast<win32::DWORD>(data.size()));
        win32::RegCloseKey(key);
    }
    // Registers PROGID with class id CLSID served by the library at PATH.
    static void registerClass(const std::string& progId, const std::string& clsid,
                              const std::string& path) {
        setClassText(progId + "\\CLSID", clsid);
        setClassText("CLSID\\" + clsid + "\\InprocServer32", path);
    }
    static bool classKeyExists(const std::string& path) {
        win32::HKEY key = 0;
        if (win32::RegOpenKeyExA(win32::HKEY_CLASSES_ROOT, path.c_str(), 0, win32::KEY_READ,
                                 &key) != win32::ERROR_SUCCESS) {
            return false;
        }
        win32::RegCloseKey(key);
        return true;
    }

    testsupport::TestMachine& machine() { return machine_; }

  private:
    testsupport::TestMachine machine_;
};

inline const std::string kGoodClsid = "{0B5E6D1A-7C11-4E2B-9A01-000000000001}";

}  // namespace addintest
