#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using namespace win32;
using platform::emulated::SqliteRegistry;
using testsupport::TestMachine;

const BYTE* bytes(const std::string& text) {
    return reinterpret_cast<const BYTE*>(text.data());
}
DWORD sizeOf(const std::string& text) {
    return static_cast<DWORD>(text.size());
}

HKEY create(HKEY parent, const char* path) {
    HKEY key = 0;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExA(parent, path, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &key, &disposition),
              ERROR_SUCCESS)
        << path;
    return key;
}

void createAndClose(HKEY parent, const char* path) {
    RegCloseKey(create(parent, path));
}

LONG setString(HKEY key, const char* name, const std::string& text) {
    std::string data = text + '\0';
    return RegSetValueExA(key, name, 0, REG_SZ, bytes(data), sizeOf(data));
}

// The value's type and bytes, or the error code in TYPE's place.
struct Read {
    LONG result = 0;
    DWORD type = 0;
    std::string data;
};
Read query(HKEY key, const char* name) {
    Read read;
    DWORD size = 0;
    read.result = RegQueryValueExA(key, name, nullptr, &read.type, nullptr, &size);
    if (read.result != ERROR_SUCCESS) return read;
    read.data.assign(size, '\0');
    read.result = RegQueryValueExA(key, name, nullptr, &read.type,
                                   reinterpret_cast<BYTE*>(read.data.data()), &size);
    read.data.resize(size);
    return read;
}

std::vector<std::string> subkeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[300];
        DWORD length = sizeof name;
        LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(result, ERROR_SUCCESS);
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> valueNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[300];
        DWORD length = sizeof name;
        LONG result = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(result, ERROR_SUCCESS);
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool keyExists(HKEY parent, const char* path) {
    HKEY key = 0;
    LONG result = RegOpenKeyExA(parent, path, 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

class BothPlatforms : public testing::TestWithParam<const char*> {
  protected:
    TestMachine machine_{GetParam()};
    bool isNT() const { return std::string(GetParam()) == "nt4"; }
};

INSTANTIATE_TEST_SUITE_P(Registry, BothPlatforms, testing::Values("win98", "nt4"));

TEST_P(BothPlatforms, BadHandlesGiveCode6AndRootsAlwaysWork) {
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(0x1234, "X", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(RegCloseKey(0x1234), ERROR_INVALID_HANDLE);
    EXPECT_EQ(query(0x1234, "X").result, ERROR_INVALID_HANDLE);
    EXPECT_EQ(setString(0, "X", "y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteKeyA(0x1234, "X"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteValueA(0x1234, "X"), ERROR_INVALID_HANDLE);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                      HKEY_CURRENT_CONFIG, HKEY_DYN_DATA}) {
        ASSERT_EQ(RegOpenKeyExA(root, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);  // closed handles are gone
        EXPECT_EQ(RegCloseKey(root), ERROR_SUCCESS);        // roots stay open
    }
}

TEST_P(BothPlatforms, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Roamwise Test\\MixedCase");
    DWORD disposition = 0;
    HKEY again = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ROAMWISE TEST\\MIXEDCASE", 0, "", 0,
                              KEY_ALL_ACCESS, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(setString(key, "ValueName", "first"), ERROR_SUCCESS);
    EXPECT_EQ(setString(again, "VALUENAME", "second"), ERROR_SUCCESS);
    EXPECT_EQ(query(key, "valuename").data, std::string("second\0", 7));
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"ValueName"});
    HKEY parent = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\roamwise test", 0, KEY_READ, &parent),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(parent), std::vector<std::string>{"MixedCase"});
    RegCloseKey(parent);
    RegCloseKey(again);
    RegCloseKey(key);
}

TEST_P(BothPlatforms, SubkeysEnumerateSortedWithoutRegardToCase) {
    HKEY key = create(HKEY_CURRENT_USER, "Sorting");
    for (const char* name : {"beta", "Alpha", "_under", "Gamma", "alphabet", "a/b", "x ", "x"}) {
        createAndClose(key, name);
    }
    // '/' is part of a name, and a trailing blank makes another name.
    EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"a/b", "Alpha", "alphabet", "beta",
                                                          "Gamma", "x", "x ", "_under"}));
    EXPECT_TRUE(keyExists(key, "A/B"));
    EXPECT_TRUE(keyExists(key, "x "));
    RegCloseKey(key);
}

TEST_P(BothPlatforms, ValuesEnumerateInCreationOrderWithTheDefaultAsEmptyName) {
    HKEY key = create(HKEY_CURRENT_USER, "Ordering");
    EXPECT_EQ(setString(key, "zeta", "1"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "", "default"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "alpha", "2"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "ZETA", "rewritten keeps its place"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"zeta", "", "alpha"}));
    EXPECT_EQ(query(key, nullptr).data, std::string("default\0", 8));
    EXPECT_EQ(RegDeleteValueA(key, "zeta"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "zeta", "recreated goes last"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"", "alpha", "zeta"}));
    RegCloseKey(key);
}

TEST_P(BothPlatforms, MissingKeysAndValuesGiveCode2) {
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "No\\Such\\Key", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    key = create(HKEY_CURRENT_USER, "Missing");
    EXPECT_EQ(query(key, "nothing").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(query(key, "").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(key, "nothing"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_P(BothPlatforms, EveryValueTypeKeepsItsBytes) {
    HKEY key = create(HKEY_CURRENT_USER, "Types");
    const std::vector<std::pair<DWORD, std::string>> values = {
        {REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11)},
        {REG_BINARY, std::string("\x00\x01\xFF\x7F", 4)},
        {REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
        {REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {REG_NONE, std::string("\x05", 1)},
        {REG_DWORD_BIG_ENDIAN, std::string("\x12\x34\x56\x78", 4)},
        {11, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
        {REG_BINARY, std::string()},
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string name = "v" + std::to_string(i);
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, values[i].first, bytes(values[i].second),
                                 sizeOf(values[i].second)),
                  ERROR_SUCCESS);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        Read read = query(key, ("v" + std::to_string(i)).c_str());
        EXPECT_EQ(read.result, ERROR_SUCCESS);
        EXPECT_EQ(read.type, values[i].first) << i;
        EXPECT_EQ(read.data, values[i].second) << i;
    }
    RegCloseKey(key);
}

TEST_P(BothPlatforms, SmallBuffersGive234WithTheSizeAndStayUntouched) {
    HKEY key = create(HKEY_CURRENT_USER, "Buffers");
    ASSERT_EQ(setString(key, "LongName", "0123456789"), ERROR_SUCCESS);
    char data[8];
    std::memset(data, '#', sizeof data);
    DWORD size = 4;
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueExA(key, "LongName", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::string(data, sizeof data), std::string(8, '#'));

    char name[16];
    std::memset(name, '#', sizeof name);
    DWORD nameLength = sizeof name;
    size = 4;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(data), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::string(name, sizeof name), std::string(16, '#'));  // no name written then
    EXPECT_EQ(std::string(data, sizeof data), std::string(8, '#'));

    nameLength = 8;  // "LongName" needs 9 with its NUL
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    EXPECT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    createAndClose(key, "Subkey");
    nameLength = 6;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    nameLength = 7;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(nameLength, 6u);
    EXPECT_STREQ(name, "Subkey");
    EXPECT_EQ(RegEnumKeyExA(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_P(BothPlatforms, QueryInfoCountsSubkeysAndValues) {
    HKEY key = create(HKEY_CURRENT_USER, "Info");
    createAndClose(key, "short");
    createAndClose(key, "longer name");
    ASSERT_EQ(setString(key, "v", "twelve chars"), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, "name of value", ""), ERROR_SUCCESS);
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
    char className[4] = "xx";
    DWORD classLength = sizeof className;
    FILETIME written;
    ASSERT_EQ(RegQueryInfoKeyA(key, className, &classLength, nullptr, &subkeys, &longestSubkey,
                               nullptr, &values, &longestName, &longestData, nullptr, &written),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 2u);
    EXPECT_EQ(longestSubkey, 11u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(longestName, 13u);
    EXPECT_GE(longestData, 13u);
    EXPECT_EQ(classLength, 0u);
    EXPECT_STREQ(className, "");
    EXPECT_NE(written.dwHighDateTime, 0u);
    RegCloseKey(key);
}

TEST_P(BothPlatforms, ReopeningWithoutASubkeyGivesANewHandleToTheSameKey) {
    HKEY key = create(HKEY_CURRENT_USER, "Reopen");
    HKEY second = 0;
    ASSERT_EQ(RegOpenKeyExA(key, nullptr, 0, KEY_SET_VALUE, &second), ERROR_SUCCESS);
    EXPECT_NE(second, key);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(setString(second, "still", "open"), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
}

TEST_P(BothPlatforms, AKeyRemovedUnderAnOpenHandleCannotGrow) {
    HKEY key = create(HKEY_CURRENT_USER, "Doomed");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "doomed"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "x", "y"), ERROR_KEY_DELETED);
    HKEY child = 0;
    EXPECT_EQ(RegCreateKeyExA(key, "child", 0, "", 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Doomed"));
    RegCloseKey(key);
}

TEST_P(BothPlatforms, AHandleToARemovedKeyNeverReachesAKeyMadeAfterIt) {
    HKEY doomed = create(HKEY_CURRENT_USER, "Doomed");
    ASSERT_EQ(setString(doomed, "kept", "old"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Doomed"), ERROR_SUCCESS);
    HKEY newcomer = create(HKEY_CURRENT_USER, "Newcomer");
    ASSERT_EQ(setString(newcomer, "mine", "new"), ERROR_SUCCESS);

    EXPECT_EQ(setString(doomed, "stray", "x"), ERROR_KEY_DELETED);
    EXPECT_NE(RegDeleteValueA(doomed, "mine"), ERROR_SUCCESS);
    EXPECT_NE(query(doomed, "mine").result, ERROR_SUCCESS);
    EXPECT_TRUE(valueNames(doomed).empty());
    EXPECT_EQ(valueNames(newcomer), std::vector<std::string>{"mine"});
    RegCloseKey(doomed);
    RegCloseKey(newcomer);
}

TEST_P(BothPlatforms, DeletingAKeyWithSubkeysDependsOnThePlatform) {
    createAndClose(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf");
    createAndClose(HKEY_CURRENT_USER, "Tree2");
    LONG result = RegDeleteKeyA(HKEY_CURRENT_USER, "Tree");
    if (isNT()) {
        EXPECT_EQ(result, ERROR_ACCESS_DENIED);
        EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf"));
        EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf"), ERROR_SUCCESS);
        EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Branch"), ERROR_SUCCESS);
        EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree"), ERROR_SUCCESS);
    } else {
        EXPECT_EQ(result, ERROR_SUCCESS);
    }
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Tree"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf"));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "Tree2"));  // a neighbour with a similar name
}

TEST_P(BothPlatforms, LeadingBackslashIsRefusedOnlyByNT) {
    createAndClose(HKEY_LOCAL_MACHINE, "Software\\Lead");
    HKEY key = 0;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "\\Software\\Lead", 0, KEY_READ, &key);
    EXPECT_EQ(result, isNT() ? ERROR_BAD_PATHNAME : ERROR_SUCCESS);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
}

TEST_P(BothPlatforms, StringLengthsFollowThePlatform) {
    HKEY key = create(HKEY_CURRENT_USER, "Strings");
    // Written without the NUL.
    ASSERT_EQ(RegSetValueExA(key, "bare", 0, REG_SZ, bytes("abc"), 3), ERROR_SUCCESS);
    EXPECT_EQ(query(key, "bare").data, std::string("abc\0", 4));
    // Written with a size larger than the text.
    std::string padded("abc\0\0\0", 6);
    ASSERT_EQ(RegSetValueExA(key, "padded", 0, REG_SZ, bytes(padded), sizeOf(padded)),
              ERROR_SUCCESS);
    EXPECT_EQ(query(key, "padded").data, isNT() ? padded : std::string("abc\0", 4));
    RegCloseKey(key);
}

TEST_P(BothPlatforms, AccessRightsAreCheckedOnlyByNT) {
    createAndClose(HKEY_CURRENT_USER, "Rights");
    HKEY readOnly = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Rights", 0, KEY_QUERY_VALUE, &readOnly),
              ERROR_SUCCESS);
    LONG expected = isNT() ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    EXPECT_EQ(setString(readOnly, "x", "y"), expected);
    char name[8];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(readOnly, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              isNT() ? ERROR_ACCESS_DENIED : ERROR_NO_MORE_ITEMS);
    RegCloseKey(readOnly);
    HKEY full = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Rights", 0, KEY_ALL_ACCESS, &full), ERROR_SUCCESS);
    EXPECT_EQ(setString(full, "x", "y"), ERROR_SUCCESS);
    RegCloseKey(full);
}

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

}  // namespace
