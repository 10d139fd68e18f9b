// Listing subkeys and values: the root, empty keys, data formatting and large values.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Win32.h"
#include "registry/clsEasyRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using Bytes = clsEasyRegistry::Bytes;

class EasyRegistryListing : public ::testing::Test {
  protected:
    void SetUp() override {
        registry_.Cd("\\HKEY_CURRENT_USER\\Software");
        registry_.MakeKey("Roamwise Test");
        registry_.Cd("Roamwise Test");
    }

    // The column of DirValue's table that holds NAME.
    static std::vector<std::string> column(const clsEasyRegistry::ValueTable& table,
                                           const std::string& name) {
        for (std::size_t i = 0; i < table[0].size(); ++i) {
            if (table[0][i] == name) return {table[0][i], table[1][i], table[2][i]};
        }
        ADD_FAILURE() << "no value " << name;
        return {};
    }

    testsupport::TestMachine machine_{"win98"};
    clsEasyRegistry registry_;
};

TEST_F(EasyRegistryListing, TheRootListsTheSixRootKeysAndNoValues) {
    clsEasyRegistry atRoot;
    EXPECT_EQ(atRoot.DirKey(), (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                         "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                         "HKEY_DYN_DATA", "HKEY_CURRENT_CONFIG"}));
    EXPECT_FALSE(atRoot.DirValue().has_value());
}

TEST_F(EasyRegistryListing, EmptyKeysListAsNull) {
    EXPECT_FALSE(registry_.DirKey().has_value());
    EXPECT_FALSE(registry_.DirValue().has_value());
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryListing, DirKeyNamesTheSubkeysOfTheMachine) {
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\Enum\\Root");
    const auto names = registry_.DirKey();
    ASSERT_TRUE(names.has_value());
    EXPECT_NE(std::find(names->begin(), names->end(), "Net"), names->end());
    EXPECT_NE(std::find(names->begin(), names->end(), "Printer"), names->end());
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryListing, DirValueFormatsEachTypeOfData) {
    registry_.ValueOf("Blob", clsEasyRegistry::BINARY, Bytes{0x0A, 0x1F, 0x00, 0xFF});
    registry_.ValueOf("Five", clsEasyRegistry::DWORD, 5.0);
    registry_.ValueOf("Largest", clsEasyRegistry::DWORD, 4294967295.0);
    registry_.ValueOf("Text", clsEasyRegistry::STRING, std::string("abc"));
    registry_.ValueOf("Nothing", clsEasyRegistry::BINARY, Bytes{});
    const auto table = registry_.DirValue();
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ((*table)[0].size(), 5u);
    EXPECT_EQ(column(*table, "Blob"), (std::vector<std::string>{"Blob", "A 1F 0 FF", "1"}));
    EXPECT_EQ(column(*table, "Five"),
              (std::vector<std::string>{"Five", "00000005 (0,000,000,005)", "2"}));
    EXPECT_EQ(column(*table, "Largest"),
              (std::vector<std::string>{"Largest", "FFFFFFFF (4,294,967,295)", "2"}));
    EXPECT_EQ(column(*table, "Text"), (std::vector<std::string>{"Text", "abc", "0"}));
    EXPECT_EQ(column(*table, "Nothing"), (std::vector<std::string>{"Nothing", "", ""}));
}

TEST_F(EasyRegistryListing, DirValueReportsValuesOfAnySize) {
    const std::string longName(3000, 'N');
    const std::string longText(70000, 'x');
    registry_.ValueOf(longName, clsEasyRegistry::STRING, std::string("short"));
    registry_.ValueOf("Long", clsEasyRegistry::STRING, longText);
    registry_.ValueOf("Bytes", clsEasyRegistry::BINARY, Bytes(2000, 0xAB));
    const auto table = registry_.DirValue();
    EXPECT_EQ(registry_.lastError(), 0);
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ((*table)[0].size(), 3u);
    EXPECT_EQ(column(*table, longName)[1], "short");
    EXPECT_EQ(column(*table, "Long")[1], longText);
    EXPECT_EQ(column(*table, "Bytes")[1].size(), 2000u * 3 - 1);
}

TEST_F(EasyRegistryListing, DirValueKeepsAStringStoredWithoutTerminator) {
    const std::string bare = "no terminator";
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyExA(win32::HKEY_CURRENT_USER, "Software\\Roamwise Test", 0,
                                   win32::KEY_SET_VALUE, &key),
              win32::ERROR_SUCCESS);
    win32::RegSetValueExA(key, "Bare", 0, win32::REG_SZ,
                          reinterpret_cast<const win32::BYTE*>(bare.data()),
                          static_cast<win32::DWORD>(bare.size()));
    win32::RegCloseKey(key);

    const auto table = registry_.DirValue();
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(column(*table, "Bare")[1], bare);
    EXPECT_EQ(registry_.ValueOf("Bare").text, bare);
}

}  // namespace
