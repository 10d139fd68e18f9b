// The registry functions' contract: result codes, names without case, enumeration
// order, sizes, and the rules for deleting, on every platform implementation.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "tests/contract/ContractSystem.h"
#include "tests/support/RegistryCalls.h"

namespace {

using namespace win32;
using testsupport::bytes;
using testsupport::create;
using testsupport::subkeyNames;
using testsupport::valueNames;
using contract::ContractSystem;

DWORD sizeOf(const std::string& text) {
    return static_cast<DWORD>(text.size());
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

bool keyExists(HKEY parent, const char* path) {
    HKEY key = 0;
    LONG result = RegOpenKeyExA(parent, path, 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Each test works below a fresh scratch key of the current user.
class RegistryContract : public testing::TestWithParam<std::string> {
  protected:
    RegistryContract() : base_(create(HKEY_CURRENT_USER, ContractSystem::kScratchKey)) {}
    ~RegistryContract() override { RegCloseKey(base_); }
    bool isNT() const { return system_.isNT(); }

    ContractSystem system_{GetParam()};
    HKEY base_;
};

INSTANTIATE_TEST_SUITE_P(Platforms, RegistryContract,
                         testing::ValuesIn(ContractSystem::variants()));

TEST_P(RegistryContract, BadHandlesGiveCode6AndRootsAlwaysWork) {
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

TEST_P(RegistryContract, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    HKEY key = create(base_, "Roamwise Test\\MixedCase");
    DWORD disposition = 0;
    HKEY again = 0;
    ASSERT_EQ(RegCreateKeyExA(base_, "ROAMWISE TEST\\MIXEDCASE", 0, "", 0,
                              KEY_ALL_ACCESS, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(setString(key, "ValueName", "first"), ERROR_SUCCESS);
    EXPECT_EQ(setString(again, "VALUENAME", "second"), ERROR_SUCCESS);
    EXPECT_EQ(query(key, "valuename").data, std::string("second\0", 7));
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"ValueName"});
    HKEY parent = 0;
    ASSERT_EQ(RegOpenKeyExA(base_, "roamwise test", 0, KEY_READ, &parent),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(parent), std::vector<std::string>{"MixedCase"});
    RegCloseKey(parent);
    RegCloseKey(again);
    RegCloseKey(key);
}

TEST_P(RegistryContract, SubkeysEnumerateSortedWithoutRegardToCase) {
    HKEY key = create(base_, "Sorting");
    for (const char* name : {"beta", "Alpha", "_under", "Gamma", "alphabet", "a/b", "x ", "x"}) {
        createAndClose(key, name);
    }
    // '/' is part of a name, and a trailing blank makes another name. Windows compares
    // names in upper case, so '_' comes after the letters.
    if (system_.wineDiffers("Wine orders subkeys by their lower-case names: '_' before letters")) {
        EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"_under", "a/b", "Alpha", "alphabet",
                                                              "beta", "Gamma", "x", "x "}));
    } else {
        EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"a/b", "Alpha", "alphabet", "beta",
                                                              "Gamma", "x", "x ", "_under"}));
    }
    EXPECT_TRUE(keyExists(key, "A/B"));
    EXPECT_TRUE(keyExists(key, "x "));
    RegCloseKey(key);
}

TEST_P(RegistryContract, ValuesEnumerateInCreationOrderWithTheDefaultAsEmptyName) {
    HKEY key = create(base_, "Ordering");
    EXPECT_EQ(setString(key, "zeta", "1"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "", "default"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "alpha", "2"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "ZETA", "rewritten keeps its place"), ERROR_SUCCESS);
    const bool sortedByName =
        system_.wineDiffers("Wine keeps values sorted by name; Windows in creation order");
    EXPECT_EQ(valueNames(key), sortedByName ? (std::vector<std::string>{"", "alpha", "zeta"})
                                            : (std::vector<std::string>{"zeta", "", "alpha"}));
    EXPECT_EQ(query(key, nullptr).data, std::string("default\0", 8));
    EXPECT_EQ(RegDeleteValueA(key, "zeta"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "zeta", "recreated goes last"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"", "alpha", "zeta"}));
    RegCloseKey(key);
}

TEST_P(RegistryContract, MissingKeysAndValuesGiveCode2) {
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "No\\Such\\Key", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    key = create(base_, "Missing");
    EXPECT_EQ(query(key, "nothing").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(query(key, "").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(key, "nothing"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_P(RegistryContract, EveryValueTypeKeepsItsBytes) {
    HKEY key = create(base_, "Types");
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

TEST_P(RegistryContract, SmallBuffersGive234WithTheSizeAndStayUntouched) {
    HKEY key = create(base_, "Buffers");
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

TEST_P(RegistryContract, QueryInfoCountsSubkeysAndValues) {
    HKEY key = create(base_, "Info");
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

TEST_P(RegistryContract, ReopeningWithoutASubkeyGivesANewHandleToTheSameKey) {
    HKEY key = create(base_, "Reopen");
    HKEY second = 0;
    ASSERT_EQ(RegOpenKeyExA(key, nullptr, 0, KEY_SET_VALUE, &second), ERROR_SUCCESS);
    EXPECT_NE(second, key);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(setString(second, "still", "open"), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
}

TEST_P(RegistryContract, AKeyRemovedUnderAnOpenHandleCannotGrow) {
    HKEY key = create(base_, "Doomed");
    ASSERT_EQ(RegDeleteKeyA(base_, "doomed"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "x", "y"), ERROR_KEY_DELETED);
    HKEY child = 0;
    EXPECT_EQ(RegCreateKeyExA(key, "child", 0, "", 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_FALSE(keyExists(base_, "Doomed"));
    RegCloseKey(key);
}

TEST_P(RegistryContract, AHandleToARemovedKeyNeverReachesAKeyMadeAfterIt) {
    HKEY doomed = create(base_, "Doomed");
    ASSERT_EQ(setString(doomed, "kept", "old"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(base_, "Doomed"), ERROR_SUCCESS);
    HKEY newcomer = create(base_, "Newcomer");
    ASSERT_EQ(setString(newcomer, "mine", "new"), ERROR_SUCCESS);

    EXPECT_EQ(setString(doomed, "stray", "x"), ERROR_KEY_DELETED);
    EXPECT_NE(RegDeleteValueA(doomed, "mine"), ERROR_SUCCESS);
    EXPECT_NE(query(doomed, "mine").result, ERROR_SUCCESS);
    // Windows NT refuses to list a removed key; the emulated machine lists it as empty.
    char name[8];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumValueA(doomed, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              system_.isEmulated() ? ERROR_NO_MORE_ITEMS : ERROR_KEY_DELETED);
    EXPECT_EQ(valueNames(newcomer), std::vector<std::string>{"mine"});
    RegCloseKey(doomed);
    RegCloseKey(newcomer);
}

TEST_P(RegistryContract, DeletingAKeyWithSubkeysDependsOnThePlatform) {
    createAndClose(base_, "Tree\\Branch\\Leaf");
    createAndClose(base_, "Tree2");
    LONG result = RegDeleteKeyA(base_, "Tree");
    if (isNT()) {
        EXPECT_EQ(result, ERROR_ACCESS_DENIED);
        EXPECT_TRUE(keyExists(base_, "Tree\\Branch\\Leaf"));
        EXPECT_EQ(RegDeleteKeyA(base_, "Tree\\Branch\\Leaf"), ERROR_SUCCESS);
        EXPECT_EQ(RegDeleteKeyA(base_, "Tree\\Branch"), ERROR_SUCCESS);
        EXPECT_EQ(RegDeleteKeyA(base_, "Tree"), ERROR_SUCCESS);
    } else {
        EXPECT_EQ(result, ERROR_SUCCESS);
    }
    EXPECT_FALSE(keyExists(base_, "Tree"));
    EXPECT_FALSE(keyExists(base_, "Tree\\Branch\\Leaf"));
    EXPECT_TRUE(keyExists(base_, "Tree2"));  // a neighbour with a similar name
}

TEST_P(RegistryContract, LeadingBackslashIsRefusedOnlyByNT) {
    createAndClose(base_, "Lead");
    HKEY key = 0;
    LONG result = RegOpenKeyExA(base_, "\\Lead", 0, KEY_READ, &key);
    EXPECT_EQ(result, isNT() ? ERROR_BAD_PATHNAME : ERROR_SUCCESS);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
}

TEST_P(RegistryContract, StringLengthsFollowThePlatform) {
    HKEY key = create(base_, "Strings");
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

TEST_P(RegistryContract, AccessRightsAreCheckedOnlyByNT) {
    createAndClose(base_, "Rights");
    HKEY readOnly = 0;
    ASSERT_EQ(RegOpenKeyExA(base_, "Rights", 0, KEY_QUERY_VALUE, &readOnly),
              ERROR_SUCCESS);
    LONG expected = isNT() ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    EXPECT_EQ(setString(readOnly, "x", "y"), expected);
    char name[8];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(readOnly, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              isNT() ? ERROR_ACCESS_DENIED : ERROR_NO_MORE_ITEMS);
    RegCloseKey(readOnly);
    HKEY full = 0;
    ASSERT_EQ(RegOpenKeyExA(base_, "Rights", 0, KEY_ALL_ACCESS, &full), ERROR_SUCCESS);
    EXPECT_EQ(setString(full, "x", "y"), ERROR_SUCCESS);
    RegCloseKey(full);
}

}  // namespace
