// The emulated machine's write sessions and apply transactions: what the process sees
// meanwhile, what the files hold, and how an apply cut off after its registry commit is
// finished by the next program that opens the machine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ProfileWriteSession.h"
#include "platform/Win32.h"
#include "platform/emulated/Machine.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::Machine;

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string winIniValue() {
    return win32::GetProfileStringA("windows", "device", "");
}

TEST(WriteSession, TheFileChangesOnlyAtCommitAndADroppedSessionLeavesIt) {
    testsupport::TestMachine machine;
    testsupport::TempFolder folder;
    const std::string file = (folder.path() / "Office.rmw").string();
    std::ofstream(file, std::ios::binary) << "[Old]\r\nKey=1\r\n";
    {
        platform::ProfileWriteSession session(file, "; header\r\n");
        ASSERT_TRUE(session.started());
        win32::WritePrivateProfileStringA("New", std::string("Key"), std::string("2"), file);
        EXPECT_EQ(win32::GetPrivateProfileStringA("New", "Key", "", file), "2");
        EXPECT_EQ(win32::GetPrivateProfileStringA("Old", "Key", "", file), "");
        EXPECT_EQ(contents(file), "[Old]\r\nKey=1\r\n") << "nobody else sees it yet";
    }
    EXPECT_EQ(contents(file), "[Old]\r\nKey=1\r\n") << "dropped whole";
    {
        platform::ProfileWriteSession session(file, "; header\r\n");
        win32::WritePrivateProfileStringA("New", std::string("Key"), std::string("2"), file);
        ASSERT_TRUE(session.commit());
    }
    EXPECT_EQ(contents(file), "; header\r\n[New]\r\nKey=2\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(ApplyTransaction, RegistryAndFilesChangeTogetherOrNotAtAll) {
    testsupport::TestMachine machine("win98");
    const fs::path winIni = machine.folder() / "drive_c" / "WINDOWS" / "win.ini";
    const std::string before = contents(winIni);
    const std::string device = winIniValue();
    auto& registry = platform::registry();
    const auto writeBoth = [&] {
        win32::WriteProfileStringA("windows", std::string("device"), std::string("X,y,LPT1:"));
        win32::HKEY key = 0;
        ASSERT_EQ(win32::RegCreateKeyExA(win32::HKEY_LOCAL_MACHINE, "Software\\Probe", 0, nullptr,
                                         0, win32::KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  0);
        win32::RegCloseKey(key);
        EXPECT_EQ(winIniValue(), "X,y,LPT1:") << "the apply sees its own writes";
        EXPECT_EQ(contents(winIni), before) << "the file waits for the commit";
    };
    const auto probeExists = [] {
        win32::HKEY key = 0;
        const bool found = win32::RegOpenKeyExA(win32::HKEY_LOCAL_MACHINE, "Software\\Probe", 0,
                                                win32::KEY_READ, &key) == 0;
        if (found) win32::RegCloseKey(key);
        return found;
    };

    ASSERT_TRUE(registry.beginTransaction(0));
    writeBoth();
    registry.rollbackTransaction();
    EXPECT_EQ(contents(winIni), before);
    EXPECT_EQ(winIniValue(), device);
    EXPECT_FALSE(probeExists());

    ASSERT_TRUE(registry.beginTransaction(0));
    writeBoth();
    ASSERT_TRUE(registry.commitTransaction()) << registry.transactionError();
    EXPECT_EQ(winIniValue(), "X,y,LPT1:");
    EXPECT_TRUE(probeExists());
    EXPECT_TRUE(fs::is_empty(machine.folder() / "state" / "staged"));
}

TEST(ApplyTransaction, AnApplyCutOffAfterItsCommitIsFinishedByTheNextOpener) {
    testsupport::TestMachine machine("win98");
    const fs::path winIni = machine.folder() / "drive_c" / "WINDOWS" / "win.ini";
    const fs::path staged = machine.folder() / "state" / "staged" / "apply-999999999-0-win.ini";
    fs::create_directories(staged.parent_path());
    std::ofstream(staged, std::ios::binary) << "[windows]\r\ndevice=New,d,LPT2:\r\n";
    // What the apply had committed before it was killed: the rename still to do.
    auto& database = machine.machine().registry().database();
    database.addPendingRename({machine.folder().string(), staged.string(), winIni.string()});
    // A left staged file of a dead apply that never committed goes too.
    const fs::path orphan = staged.parent_path() / "apply-999999998-0-prefs.js";
    std::ofstream(orphan) << "half";

    auto reopened = Machine::open(machine.folder());
    EXPECT_EQ(contents(winIni), "[windows]\r\ndevice=New,d,LPT2:\r\n");
    EXPECT_TRUE(reopened->registry().database().pendingRenames().empty());
    EXPECT_FALSE(fs::exists(orphan));

    // A copy of the machine carries rows of the original along but never acts on them.
    database.addPendingRename({"/elsewhere", (machine.folder() / "gone").string(),
                               winIni.string()});
    auto again = Machine::open(machine.folder());
    EXPECT_EQ(contents(winIni), "[windows]\r\ndevice=New,d,LPT2:\r\n");
    EXPECT_TRUE(again->registry().database().pendingRenames().empty());
}

}  // namespace
