// Reading, writing and deleting values and keys of the current key.

#include <gtest/gtest.h>

#include "registry/clsEasyRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80040003u);
constexpr std::int32_t kUnknownType = static_cast<std::int32_t>(0x80040004u);
constexpr const char* kScratch = "\\HKEY_CURRENT_USER\\Software\\Roamwise Test";

using Bytes = clsEasyRegistry::Bytes;

RaisedError raisedByWrite(clsEasyRegistry& registry, std::int32_t type,
                          const clsEasyRegistry::Variant& value) {
    try {
        registry.ValueOf("Written", type, value);
    } catch (const RaisedError& error) {
        return error;
    }
    ADD_FAILURE() << "nothing was raised for type " << type;
    return RaisedError(0, "", "");
}

class EasyRegistryValues : public ::testing::Test {
  protected:
    void SetUp() override {
        registry_.Cd("\\HKEY_CURRENT_USER\\Software");
        registry_.MakeKey("Roamwise Test");
        registry_.Cd(kScratch);
    }

    clsEasyRegistry::Value read(const std::string& name, std::int32_t& type) {
        type = -1;
        return registry_.ValueOf(name, type);
    }

    testsupport::TestMachine machine_{"win98"};
    clsEasyRegistry registry_;
};

TEST_F(EasyRegistryValues, DwordReadsBackAsHexTextNumberAndBytes) {
    registry_.ValueOf("Number", clsEasyRegistry::DWORD, 305419896.0);
    std::int32_t type = -1;
    const auto value = read("Number", type);
    EXPECT_EQ(registry_.lastError(), 0);
    EXPECT_EQ(type, clsEasyRegistry::DWORD);
    EXPECT_EQ(value.text, "12345678");
    EXPECT_EQ(value.number, 305419896.0);
    EXPECT_EQ(value.bytes, (Bytes{0x78, 0x56, 0x34, 0x12}));

    registry_.ValueOf("Largest", clsEasyRegistry::DWORD, 4294967295.0);
    EXPECT_EQ(read("Largest", type).number, 4294967295.0);
    registry_.ValueOf("Zero", clsEasyRegistry::DWORD, 0.0);
    EXPECT_EQ(read("Zero", type).text, "00000000");
}

TEST_F(EasyRegistryValues, StringsLoseTheirTerminatorAndReportTypeZero) {
    registry_.ValueOf("Text", clsEasyRegistry::STRING, std::string("abc"));
    std::int32_t type = -1;
    const auto value = read("Text", type);
    EXPECT_EQ(type, clsEasyRegistry::STRING);
    EXPECT_EQ(value.text, "abc");
    EXPECT_EQ(value.bytes, (Bytes{0x61, 0x62, 0x63}));
    EXPECT_EQ(value.number, 0);

    // A multi-string keeps all but its last NUL and is reported as a string.
    registry_.ValueOf("Multi", clsEasyRegistry::MULTI_STRING, Bytes{'a', 0, 'b', 0, 0});
    const auto multi = read("Multi", type);
    EXPECT_EQ(type, clsEasyRegistry::STRING);
    EXPECT_EQ(multi.text, std::string("a\0b\0", 4));

    // An existing value from the machine, high bytes included.
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
    EXPECT_EQ(read("Hostname", type).text, "jmorgan-lt");
    registry_.Cd(kScratch);
    registry_.ValueOf("Accents", clsEasyRegistry::STRING, std::string("caf\xE9"));
    EXPECT_EQ(read("Accents", type).text, "caf\xE9");
}

TEST_F(EasyRegistryValues, BinaryReadsBackAsBlankSeparatedHex) {
    registry_.ValueOf("Blob", clsEasyRegistry::BINARY, Bytes{0x0A, 0x1F, 0x00, 0xFF});
    std::int32_t type = -1;
    const auto value = read("Blob", type);
    EXPECT_EQ(type, clsEasyRegistry::BINARY);
    EXPECT_EQ(value.text, "A 1F 0 FF");
    EXPECT_EQ(value.bytes, (Bytes{0x0A, 0x1F, 0x00, 0xFF}));

    registry_.ValueOf("Empty", clsEasyRegistry::BINARY, Bytes{});
    const auto empty = read("Empty", type);
    EXPECT_EQ(registry_.lastError(), 0);
    EXPECT_EQ(type, clsEasyRegistry::BINARY);
    EXPECT_EQ(empty.text, "");
    EXPECT_TRUE(empty.bytes.empty());
}

TEST_F(EasyRegistryValues, MissingValueReadsEmptyWithLastErrorTwo) {
    registry_.SuppressErrors(true);
    std::int32_t type = -1;
    const auto value = read("Not There", type);
    EXPECT_EQ(registry_.lastError(), 2);
    EXPECT_EQ(type, clsEasyRegistry::STRING);
    EXPECT_EQ(value.text, "");
    EXPECT_TRUE(value.bytes.empty());
    EXPECT_EQ(value.number, 0);

    registry_.SuppressErrors(false);
    try {
        registry_.ValueOf("Not There");
        ADD_FAILURE() << "a missing value was read without an error";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Description(), "Key/Value does not exist.");
    }
}

TEST_F(EasyRegistryValues, ReadingOrWritingAtTheRootFails) {
    clsEasyRegistry atRoot;
    atRoot.SuppressErrors(true);
    atRoot.ValueOf("Anything");
    EXPECT_NE(atRoot.lastError(), 0);
    atRoot.ValueOf("Anything", clsEasyRegistry::STRING, std::string("x"));
    EXPECT_NE(atRoot.lastError(), 0);
    atRoot.SuppressErrors(false);
    EXPECT_THROW(atRoot.ValueOf("Anything"), RaisedError);
}

TEST_F(EasyRegistryValues, WritesOfTheWrongKindRaiseClassErrorThree) {
    registry_.SuppressErrors(true);  // class errors are raised all the same
    const std::vector<std::pair<std::int32_t, clsEasyRegistry::Variant>> wrong = {
        {clsEasyRegistry::DWORD, 4294967296.0},
        {clsEasyRegistry::DWORD, -1.0},
        {clsEasyRegistry::DWORD, 1.5},
        {clsEasyRegistry::DWORD, std::string("5")},
        {clsEasyRegistry::STRING, Bytes{'a'}},
        {clsEasyRegistry::STRING, 5.0},
        {clsEasyRegistry::BINARY, std::string("ab")},
        {clsEasyRegistry::BINARY, clsEasyRegistry::ByteMatrix{{1, 2}, {3, 4}}},
        {clsEasyRegistry::MULTI_STRING, std::string("a")},
    };
    for (const auto& [type, value] : wrong) {
        const RaisedError error = raisedByWrite(registry_, type, value);
        EXPECT_EQ(error.Number(), kTypeMismatch) << "type " << type;
        EXPECT_EQ(error.Source(), "EasyRegistry [Let ValueOf]");
        EXPECT_EQ(error.Description(), "Type passed doesn't match Value passed.");
    }
    registry_.ValueOf("Written");
    EXPECT_EQ(registry_.lastError(), 2) << "a refused write must store nothing";
}

TEST_F(EasyRegistryValues, UnknownTypeCodesRaiseClassErrorFour) {
    for (std::int32_t type : {4, 5, -1, 7}) {
        const RaisedError error = raisedByWrite(registry_, type, std::string("x"));
        EXPECT_EQ(error.Number(), kUnknownType);
        EXPECT_EQ(error.Source(), "EasyRegistry [Let ValueOf]");
        EXPECT_EQ(error.Description(), "Type passed doesn't exist. Use STRING, DWORD or BINARY.");
    }
}

TEST_F(EasyRegistryValues, MakeKeyCreatesAChainWithoutMoving) {
    registry_.MakeKey("Created\\Inner\\Leaf");
    EXPECT_EQ(registry_.lastError(), 0);
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_CURRENT_USER\\SOFTWARE\\ROAMWISE TEST");
    EXPECT_EQ(registry_.DirKey(), (std::vector<std::string>{"Created"}))
        << "the name keeps the case it was given";

    registry_.Cd("Created\\Inner\\Leaf");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.ValueOf("Deep", clsEasyRegistry::STRING, std::string("yes"));
    EXPECT_EQ(registry_.ValueOf("Deep").text, "yes");

    registry_.MakeKey("");  // an existing key opens again
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryValues, DeleteValueAndDeleteKeyRemoveTheirTarget) {
    registry_.ValueOf("Doomed", clsEasyRegistry::STRING, std::string("x"));
    registry_.DeleteValue("Doomed");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.SuppressErrors(true);
    registry_.ValueOf("Doomed");
    EXPECT_EQ(registry_.lastError(), 2);
    registry_.DeleteValue("Doomed");
    EXPECT_EQ(registry_.lastError(), 2);

    registry_.MakeKey("Gone");
    registry_.DeleteKey("Gone");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.Cd("Gone");
    EXPECT_EQ(registry_.lastError(), 2);
    registry_.Cd(kScratch);
    registry_.DeleteKey("Gone");
    EXPECT_EQ(registry_.lastError(), 2);
}

TEST(EasyRegistryPlatform, IsWindowsNTFollowsTheMachine) {
    {
        testsupport::TestMachine win98("win98");
        EXPECT_FALSE(clsEasyRegistry().IsWindowsNT());
    }
    testsupport::TestMachine nt4("nt4");
    EXPECT_TRUE(clsEasyRegistry().IsWindowsNT());
}

}  // namespace
