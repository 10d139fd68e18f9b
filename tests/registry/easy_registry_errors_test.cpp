// Raised registry failures, access rights and key handle ownership, observed through a
// scripted registry service.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/Services.h"
#include "registry/clsEasyRegistry.h"

namespace {

constexpr std::int32_t kApiCallFailed = static_cast<std::int32_t>(0x80040100u);

// A registry whose keys always exist and are empty, unless every call is told to fail.
// It hands out numbered handles and remembers which are open.
class ScriptedRegistry : public platform::Registry {
  public:
    win32::LONG failure = win32::ERROR_SUCCESS;
    std::set<win32::HKEY> openHandles;
    std::vector<win32::REGSAM> openAccess;
    std::string createdName;
    win32::REGSAM createdAccess = 0;

    win32::LONG RegOpenKeyExA(win32::HKEY hKey, const char*, win32::DWORD, win32::REGSAM sam,
                              win32::HKEY* result) override {
        openAccess.push_back(sam);
        *result = 0;
        if (failure != win32::ERROR_SUCCESS) return failure;
        if (hKey == 0) return win32::ERROR_INVALID_HANDLE;
        *result = nextHandle_++;
        openHandles.insert(*result);
        return win32::ERROR_SUCCESS;
    }
    win32::LONG RegCloseKey(win32::HKEY hKey) override {
        return openHandles.erase(hKey) == 1 ? win32::ERROR_SUCCESS : win32::ERROR_INVALID_HANDLE;
    }
    win32::LONG RegQueryInfoKeyA(win32::HKEY, char*, win32::DWORD*, win32::DWORD*,
                                 win32::DWORD* subKeys, win32::DWORD*, win32::DWORD*,
                                 win32::DWORD* values, win32::DWORD*, win32::DWORD*, win32::DWORD*,
                                 win32::FILETIME*) override {
        if (subKeys) *subKeys = 0;
        if (values) *values = 0;
        return failure;
    }
    win32::LONG RegEnumKeyExA(win32::HKEY, win32::DWORD, char*, win32::DWORD*, win32::DWORD*, char*,
                              win32::DWORD*, win32::FILETIME*) override {
        return win32::ERROR_NO_MORE_ITEMS;
    }
    win32::LONG RegEnumValueA(win32::HKEY, win32::DWORD, char*, win32::DWORD*, win32::DWORD*,
                              win32::DWORD*, win32::BYTE*, win32::DWORD*) override {
        return win32::ERROR_NO_MORE_ITEMS;
    }
    win32::LONG RegQueryValueExA(win32::HKEY, const char*, win32::DWORD*, win32::DWORD* type,
                                 win32::BYTE*, win32::DWORD* length) override {
        if (type) *type = win32::REG_SZ;
        if (length) *length = 0;
        return failure;
    }
    win32::LONG RegSetValueExA(win32::HKEY, const char*, win32::DWORD, win32::DWORD,
                               const win32::BYTE*, win32::DWORD) override {
        return failure;
    }
    win32::LONG RegCreateKeyExA(win32::HKEY, const char* subKey, win32::DWORD, const char*,
                                win32::DWORD, win32::REGSAM sam, void*, win32::HKEY* result,
                                win32::DWORD*) override {
        createdName = subKey;
        createdAccess = sam;
        *result = 0;
        if (failure != win32::ERROR_SUCCESS) return failure;
        *result = nextHandle_++;
        openHandles.insert(*result);
        return win32::ERROR_SUCCESS;
    }
    win32::LONG RegDeleteKeyA(win32::HKEY, const char*) override { return failure; }
    win32::LONG RegDeleteValueA(win32::HKEY, const char*) override { return failure; }

  private:
    win32::HKEY nextHandle_ = 100;
};

// A REG_SZ value that another process makes longer after each read: "ab", "abc", ...
// up to LONGEST characters, then it stays.
class GrowingValueRegistry : public ScriptedRegistry {
  public:
    std::size_t longest = 0;

    win32::LONG RegQueryValueExA(win32::HKEY, const char*, win32::DWORD*, win32::DWORD* type,
                                 win32::BYTE* data, win32::DWORD* length) override {
        const std::string value = text_ + '\0';
        if (text_.size() < longest) text_ += static_cast<char>('a' + text_.size());
        if (type) *type = win32::REG_SZ;
        if (data != nullptr && value.size() > *length) {
            *length = static_cast<win32::DWORD>(value.size());
            return win32::ERROR_MORE_DATA;
        }
        if (data != nullptr) std::copy(value.begin(), value.end(), data);
        *length = static_cast<win32::DWORD>(value.size());
        return win32::ERROR_SUCCESS;
    }

  private:
    std::string text_ = "ab";
};

class EasyRegistryErrors : public ::testing::Test {
  protected:
    platform::Services services() {
        platform::Services services;
        services.registry = &fake_;
        return services;
    }

    ScriptedRegistry fake_;
    platform::ScopedServices scope_{services()};
};

TEST_F(EasyRegistryErrors, EachFailureCodeHasItsDescription) {
    const std::vector<std::pair<win32::LONG, std::string>> table = {
        {2, "Key/Value does not exist."},
        {5, "Access to Registry Denied."},
        {14, "Out of memory."},
        {87, "Invalid Parameter."},
        {1009, "Corrupt Registry Database!"},
        {1010, "Key name is bad."},
        {1011, "Cannot Open Key."},
        {1012, "Cannot Read Key."},
        {1013, "Cannot Write Key."},
        {6, "Undefined key error code!"},
        {234, "Undefined key error code!"},
        {259, "Undefined key error code!"},
    };
    for (const auto& [code, description] : table) {
        fake_.failure = code;
        clsEasyRegistry registry;
        try {
            registry.Cd("\\HKEY_LOCAL_MACHINE\\Software");
            ADD_FAILURE() << "code " << code << " was not raised";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), kApiCallFailed);
            EXPECT_EQ(error.Source(), "EasyRegistry[API Call]");
            EXPECT_EQ(error.Description(), description) << "code " << code;
        }
        EXPECT_EQ(registry.lastError(), code);
    }
}

TEST_F(EasyRegistryErrors, SuppressedFailuresOnlySetLastError) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd("\\HKEY_LOCAL_MACHINE\\Software");
    fake_.failure = win32::ERROR_ACCESS_DENIED;
    EXPECT_NO_THROW(registry.ValueOf("Name", clsEasyRegistry::STRING, std::string("x")));
    EXPECT_EQ(registry.lastError(), 5);
    EXPECT_NO_THROW(registry.DeleteKey("Sub"));
    EXPECT_NO_THROW(registry.DeleteValue("Name"));
    EXPECT_NO_THROW(registry.MakeKey("Sub"));
    EXPECT_FALSE(registry.DirKey().has_value());
    EXPECT_FALSE(registry.DirValue().has_value());
    EXPECT_EQ(registry.lastError(), 5);

    fake_.failure = win32::ERROR_SUCCESS;
    registry.Cd("\\HKEY_LOCAL_MACHINE\\Software");
    EXPECT_EQ(registry.lastError(), 0);
}

TEST_F(EasyRegistryErrors, EachOperationReopensWithItsOwnAccess) {
    clsEasyRegistry registry;
    registry.Cd("\\HKEY_LOCAL_MACHINE\\Software");
    registry.DirKey();
    registry.DirValue();
    registry.ValueOf("Name");
    registry.ValueOf("Name", clsEasyRegistry::STRING, std::string("x"));
    registry.MakeKey("Sub");
    registry.DeleteKey("Sub");
    registry.DeleteValue("Name");
    EXPECT_EQ(fake_.openAccess, (std::vector<win32::REGSAM>{1, 9, 1, 1, 2, 4, 2, 2}));
}

TEST_F(EasyRegistryErrors, MakeKeyCreatesWithFullAccessAndClosesTheNewKey) {
    clsEasyRegistry registry;
    registry.Cd("\\HKEY_CURRENT_USER\\Software");
    registry.MakeKey("Mixed Case\\Name");
    EXPECT_EQ(fake_.createdName, "Mixed Case\\Name");
    EXPECT_EQ(fake_.createdAccess, win32::KEY_ALL_ACCESS);
    EXPECT_EQ(fake_.openHandles.size(), 1u) << "only the current key stays open";
}

TEST_F(EasyRegistryErrors, TheObjectHoldsOneKeyAtATimeAndClosesItWhenDestroyed) {
    {
        clsEasyRegistry registry;
        registry.Cd("\\HKEY_LOCAL_MACHINE\\Software");
        registry.Cd("Microsoft\\Windows");
        registry.Cd(".");
        registry.DirKey();
        registry.ValueOf("Name");
        registry.Cd("..");
        EXPECT_EQ(fake_.openHandles.size(), 1u);
        registry.Cd("\\");
        EXPECT_TRUE(fake_.openHandles.empty());
        registry.Cd("\\HKEY_USERS\\.Default");
        EXPECT_EQ(fake_.openHandles.size(), 1u);
    }
    EXPECT_TRUE(fake_.openHandles.empty());
}

TEST_F(EasyRegistryErrors, DestructionAfterThePlatformIsGoneDoesNotThrow) {
    auto registry = std::make_unique<clsEasyRegistry>();
    registry->Cd("\\HKEY_LOCAL_MACHINE\\Software");
    {
        platform::ScopedServices nothing{platform::Services{}};
        EXPECT_NO_THROW(registry.reset());
    }
}

}  // namespace

namespace {

TEST(EasyRegistryReads, AValueThatGrowsBetweenSizeAndReadIsReadAgain) {
    GrowingValueRegistry growing;
    growing.longest = 4;
    platform::Services services;
    services.registry = &growing;
    platform::ScopedServices scope(services);
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd("\\HKEY_CURRENT_USER\\Software");

    const auto value = registry.ValueOf("Name");
    EXPECT_EQ(registry.lastError(), 0);
    EXPECT_EQ(value.text, "abcd");

    // One that never stops growing is reported as failed, never as unfilled bytes.
    growing.longest = 1000;
    const auto unsettled = registry.ValueOf("Name");
    EXPECT_EQ(registry.lastError(), win32::ERROR_MORE_DATA);
    EXPECT_EQ(unsettled.text, "");
    EXPECT_TRUE(unsettled.bytes.empty());
}

}  // namespace
