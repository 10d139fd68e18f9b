// The SQLite registry beyond the registry functions' contract (tests/contract/): its
// database and its sharing between connections.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/Services.h"
#include "platform/Win32.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/RegistryCalls.h"
#include "tests/support/TestMachine.h"

namespace {

using namespace win32;
using testsupport::bytes;
using testsupport::create;
using testsupport::subkeyNames;
using testsupport::valueNames;
using platform::emulated::SqliteRegistry;
using testsupport::TestMachine;

TEST(RegistryKeyIds, ADatabaseMadeWithoutTheRemovalMarkGetsIt) {
    using platform::emulated::RegistryDatabase;
    testsupport::TempFolder folder;
    const auto file = folder.path() / "registry.db";
    { RegistryDatabase made(file); }
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "DROP TRIGGER keys_removed; DROP TABLE removed_key_mark",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    RegistryDatabase database(file);
    const std::string parent = "HKEY_CURRENT_USER";
    const auto root = RegistryDatabase::rootId(HKEY_CURRENT_USER);
    const auto removed = database.createKey(root, parent, "Removed");
    database.deleteKeyTree(parent + "\\REMOVED");
    EXPECT_GT(database.createKey(root, parent, "Next"), removed);
}

std::uint64_t lastWritten(HKEY key) {
    FILETIME time{};
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, &time),
              ERROR_SUCCESS);
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::uint64_t enumeratedLastWritten(HKEY parent) {
    FILETIME time{};
    char name[300];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &length, nullptr, nullptr, nullptr, &time),
              ERROR_SUCCESS);
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

void waitATick() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// Setting a value stamps the value's row alone; the key's time is the latest of its own
// and its values', in databases made before values carried a time as well.
TEST(RegistryKeyTimes, AKeysLastWriteTimeFollowsItsValues) {
    TestMachine m("win98");
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((m.folder() / "registry.db").c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "ALTER TABLE vals DROP COLUMN written", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    SqliteRegistry registry(m.folder() / "registry.db", false);  // brings the format up to date
    platform::ScopedServices scope([&] {
        platform::Services services = m.services();
        services.registry = &registry;
        return services;
    }());
    HKEY parent = create(HKEY_CURRENT_USER, "Times");
    HKEY key = create(parent, "Key");
    const std::uint64_t made = lastWritten(key);
    EXPECT_EQ(enumeratedLastWritten(parent), made);
    waitATick();
    ASSERT_EQ(RegSetValueExA(key, "A", 0, REG_SZ, bytes(std::string("a\0", 2)), 2), ERROR_SUCCESS);
    const std::uint64_t set = lastWritten(key);
    EXPECT_GT(set, made);
    EXPECT_EQ(enumeratedLastWritten(parent), set);
    waitATick();
    ASSERT_EQ(RegSetValueExA(key, "B", 0, REG_DWORD, bytes(std::string(4, '\1')), 4), ERROR_SUCCESS);
    const std::uint64_t added = lastWritten(key);
    EXPECT_GT(added, set);
    waitATick();
    ASSERT_EQ(RegDeleteValueA(key, "B"), ERROR_SUCCESS);
    EXPECT_GT(lastWritten(key), added);
    EXPECT_EQ(enumeratedLastWritten(parent), lastWritten(key));
    RegCloseKey(key);
    RegCloseKey(parent);
}

TEST(RegistrySharing, ChangesOfAnotherConnectionAreSeenAtOnce) {
    TestMachine m("win98");
    SqliteRegistry other(m.folder() / "registry.db", false);
    HKEY mine = create(HKEY_CURRENT_USER, "Shared");
    EXPECT_TRUE(subkeyNames(mine).empty());
    EXPECT_TRUE(valueNames(mine).empty());
    HKEY theirs = 0;
    ASSERT_EQ(other.RegOpenKeyExA(HKEY_CURRENT_USER, "Shared", 0, KEY_ALL_ACCESS, &theirs),
              ERROR_SUCCESS);
    HKEY child = 0;
    ASSERT_EQ(other.RegCreateKeyExA(theirs, "FromOther", 0, "", 0, KEY_ALL_ACCESS, nullptr, &child,
                                    nullptr),
              ERROR_SUCCESS);
    std::string data("v\0", 2);
    ASSERT_EQ(other.RegSetValueExA(theirs, "Seen", 0, REG_SZ, bytes(data), 2), ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(mine), std::vector<std::string>{"FromOther"});
    EXPECT_EQ(valueNames(mine), std::vector<std::string>{"Seen"});
    other.RegCloseKey(child);
    other.RegCloseKey(theirs);
    EXPECT_EQ(other.openHandleCount(), 0u);
    RegCloseKey(mine);
}

// Reads in a snapshot see one state; once it ends, or this connection writes, the
// changes another connection made meanwhile are seen, never a cached older state.
TEST(RegistrySharing, AReadSnapshotHoldsOneStateUntilItEndsOrItsOwnerWrites) {
    TestMachine m("win98");
    SqliteRegistry other(m.folder() / "registry.db", false);
    HKEY mine = create(HKEY_CURRENT_USER, "Snap");
    HKEY theirs = 0;
    ASSERT_EQ(other.RegOpenKeyExA(HKEY_CURRENT_USER, "Snap", 0, KEY_ALL_ACCESS, &theirs),
              ERROR_SUCCESS);
    const auto theySet = [&](const char* name) {
        ASSERT_EQ(other.RegSetValueExA(theirs, name, 0, REG_SZ, bytes(std::string("v\0", 2)), 2),
                  ERROR_SUCCESS);
    };
    const auto names = [&] { return valueNames(mine); };
    platform::Registry& registry = platform::registry();

    registry.beginReadSnapshot();
    registry.beginReadSnapshot();  // pairs nest
    EXPECT_TRUE(names().empty());
    theySet("A");
    EXPECT_TRUE(names().empty()) << "the snapshot's state, not the change made meanwhile";
    registry.endReadSnapshot();
    EXPECT_TRUE(names().empty()) << "still inside the outer snapshot";
    registry.endReadSnapshot();
    EXPECT_EQ(names(), std::vector<std::string>{"A"});

    registry.beginReadSnapshot();
    EXPECT_EQ(names(), std::vector<std::string>{"A"});
    theySet("B");
    ASSERT_EQ(RegSetValueExA(mine, "C", 0, REG_SZ, bytes(std::string("w\0", 2)), 2),
              ERROR_SUCCESS);
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B", "C"}))
        << "a write of its own ends the snapshot";
    theySet("D");
    EXPECT_EQ(names().size(), 4u);
    registry.endReadSnapshot();
    other.RegCloseKey(theirs);
    RegCloseKey(mine);
}

}  // namespace
