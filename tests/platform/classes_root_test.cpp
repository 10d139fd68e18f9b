// HKEY_CLASSES_ROOT as a second name for HKEY_LOCAL_MACHINE\SOFTWARE\Classes: through
// the registry functions, in registry files, and for machines that kept it apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "platform/emulated/ClassesRoot.h"
#include "platform/emulated/MachineLibraries.h"
#include "platform/emulated/RegFileExporter.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using namespace win32;
using namespace platform::emulated;
using testsupport::TempFolder;
using testsupport::TestMachine;

constexpr const char* kClasses = "SOFTWARE\\Classes";

LONG setText(HKEY root, const std::string& path, const std::string& name,
             const std::string& value) {
    HKEY key = 0;
    DWORD disposition = 0;
    LONG result = RegCreateKeyExA(root, path.c_str(), 0, "", 0, KEY_ALL_ACCESS, nullptr, &key,
                                  &disposition);
    if (result != ERROR_SUCCESS) return result;
    const std::string data = value + '\0';
    result = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return result;
}

// The text of the value, or "(missing)".
std::string text(HKEY root, const std::string& path, const std::string& name = "") {
    HKEY key = 0;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "(missing)";
    char data[256] = {};
    DWORD size = sizeof data - 1;
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(data) : "(missing)";
}

std::vector<std::string> subkeys(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key = 0;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

class ClassesRoot : public testing::TestWithParam<const char*> {};

TEST_P(ClassesRoot, BothNamesReachOneKeyForEveryRegistryFunction) {
    TestMachine m(GetParam());
    ASSERT_EQ(setText(HKEY_CLASSES_ROOT, "Vendor.Class\\CLSID", "", "{1}"), ERROR_SUCCESS);
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\Vendor.Class\\CLSID"), "{1}");
    ASSERT_EQ(setText(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\CLSID\\{1}\\InprocServer32",
                      "", "C:\\x.so"),
              ERROR_SUCCESS);
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, "clsid\\{1}\\InprocServer32"), "C:\\x.so");

    const auto underRoot = subkeys(HKEY_CLASSES_ROOT, "");
    EXPECT_EQ(underRoot, subkeys(HKEY_LOCAL_MACHINE, kClasses));
    EXPECT_NE(std::find(underRoot.begin(), underRoot.end(), "Vendor.Class"), underRoot.end());

    DWORD subkeyCount = 0;
    ASSERT_EQ(RegQueryInfoKeyA(HKEY_CLASSES_ROOT, nullptr, nullptr, nullptr, &subkeyCount, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeyCount, underRoot.size());

    // Removing through one name removes it under the other.
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "Vendor.Class\\CLSID"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "Vendor.Class"), ERROR_SUCCESS);
    EXPECT_EQ(subkeys(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\Vendor.Class").size(), 0u);
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\Vendor.Class"), "(missing)");
    HKEY value = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{1}\\InprocServer32", 0, KEY_ALL_ACCESS,
                            &value),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(value, ""), ERROR_SUCCESS);
    RegCloseKey(value);
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\CLSID\\{1}\\InprocServer32"),
              "(missing)");
}

TEST_P(ClassesRoot, RegistryFilesNameTheKeyAsTheyWereAskedAndReadBothNames) {
    TestMachine m(GetParam());
    RegistryDatabase& database = m.machine().registry().database();
    RegFileImporter(database).importBytes(
        "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.rmw]\r\n@=\"rmw_auto_file\"\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\rmw_auto_file\\shell]\r\n@=\"open\"\r\n",
        "classes.reg");
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\.rmw"), "rmw_auto_file");
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, "rmw_auto_file\\shell"), "open");

    const std::string exported = RegFileExporter(database).exportKey("HKCR\\rmw_auto_file");
    EXPECT_NE(exported.find("[HKEY_CLASSES_ROOT\\rmw_auto_file\\shell]"), std::string::npos)
        << exported;
    EXPECT_NE(RegFileExporter(database)
                  .exportKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.rmw")
                  .find("\\Classes\\.rmw]"),
              std::string::npos);

    // Removing a key through HKEY_CLASSES_ROOT removes it from the shared key.
    RegFileImporter(database).importBytes("REGEDIT4\r\n\r\n[-HKEY_CLASSES_ROOT\\.rmw]\r\n",
                                          "clear.reg");
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\.rmw"), "(missing)");
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\rmw_auto_file\\shell"), "open");

    // With the shared key itself removed, the name still exports and still takes keys.
    RegFileImporter(database).importBytes(
        "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n", "gone.reg");
    EXPECT_EQ(RegFileExporter(database).exportKey("HKEY_CLASSES_ROOT"),
              "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT]\r\n\r\n");
    EXPECT_EQ(setText(HKEY_CLASSES_ROOT, "Again", "", "back"), ERROR_SUCCESS);
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, std::string(kClasses) + "\\Again"), "back");
}

INSTANTIATE_TEST_SUITE_P(Templates, ClassesRoot, testing::Values("win98", "nt4"));

TEST(ClassesRootAdoption, AnOldSeparateRootMovesIntoTheSharedKeyWhenTheRegistryOpens) {
    TempFolder folder;
    const auto file = folder.path() / "registry.db";
    {
        // A registry as machines made before kept it: HKEY_CLASSES_ROOT a root of its own.
        RegistryDatabase old(file);
        const KeyId oldRoot = RegistryDatabase::rootId(HKEY_CLASSES_ROOT);
        const KeyId rmw = old.createKey(oldRoot, "HKEY_CLASSES_ROOT", ".RMW");
        old.setValue(rmw, "", REG_SZ, std::string("rmw_auto_file\0", 14));
        const KeyId shell = old.createKey(
            old.createKey(oldRoot, "HKEY_CLASSES_ROOT", "rmw_auto_file"),
            "HKEY_CLASSES_ROOT\\RMW_AUTO_FILE", "shell");
        old.setValue(shell, "", REG_SZ, std::string("open\0", 5));
        old.setValue(oldRoot, "RootValue", REG_SZ, std::string("kept\0", 5));
        // The shared key already holds an older association, which the root's wins over.
        const KeyId machine = RegistryDatabase::rootId(HKEY_LOCAL_MACHINE);
        const KeyId software = old.createKey(machine, "HKEY_LOCAL_MACHINE", "Software");
        const KeyId classes = old.createKey(software, "HKEY_LOCAL_MACHINE\\SOFTWARE", "Classes");
        const KeyId stale = old.createKey(classes, kClassesKeyPath, ".rmw");
        old.setValue(stale, "", REG_SZ, std::string("stale\0", 6));
        old.setValue(stale, "Content Type", REG_SZ, std::string("text/plain\0", 11));
    }
    SqliteRegistry registry(file, false);
    platform::Services services;
    services.registry = &registry;
    platform::ScopedServices scope(services);
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, ".rmw"), "rmw_auto_file");
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, ".rmw", "Content Type"), "text/plain");
    EXPECT_EQ(text(HKEY_LOCAL_MACHINE, "Software\\Classes\\rmw_auto_file\\shell"), "open");
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, "", "RootValue"), "kept");
    RegistryDatabase& database = registry.database();
    const KeyId oldRoot = RegistryDatabase::rootId(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(database.hasSubkeys(oldRoot));
    EXPECT_TRUE(database.values(oldRoot).empty());
    // A second opening finds nothing left to move.
    EXPECT_TRUE(adoptOldClassesRoot(database));
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, ".rmw"), "rmw_auto_file");
}

TEST(MachineLibrariesTest, LoadsThroughTheDriveAndSaysWhyNot) {
    TestMachine m("win98");
    MachineLibraries libraries(m.machine().services().files ? *m.machine().services().files
                                                            : platform::files());
    EXPECT_EQ(libraries.LoadLibraryA("C:\\Program Files\\none.so"), nullptr);
    EXPECT_EQ(libraries.lastLibraryError(), "the file does not exist");
    EXPECT_EQ(libraries.LoadLibraryA(""), nullptr);

    const auto notALibrary = m.machine().driveC() / "text.so";
    { std::ofstream(notALibrary) << "not a library"; }
    EXPECT_EQ(libraries.LoadLibraryA("C:\\TEXT.SO"), nullptr);  // any case, as Windows
    EXPECT_NE(libraries.lastLibraryError().find("text.so"), std::string::npos)
        << libraries.lastLibraryError();

    const auto library = std::filesystem::path(ROAMWISE_TEST_ADDINS) / "test_not_an_addin.so";
    std::filesystem::copy_file(library, m.machine().driveC() / "plain.so");
    const HMODULE module = libraries.LoadLibraryA("C:\\plain.so");
    ASSERT_NE(module, nullptr) << libraries.lastLibraryError();
    const auto function =
        reinterpret_cast<int (*)()>(libraries.GetProcAddress(module, "test_not_an_addin"));
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function(), 42);
    EXPECT_EQ(libraries.GetProcAddress(module, "rmw_addin_entry"), nullptr);
    EXPECT_NE(libraries.lastLibraryError().find("rmw_addin_entry"), std::string::npos);
    EXPECT_EQ(libraries.FreeLibrary(module), 1);
}

}  // namespace
