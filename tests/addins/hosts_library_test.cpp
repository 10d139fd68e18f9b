// The hosts add-in's C face: the entry, creation, members by name, properties, errors,
// self-registration, about and Show, driven as the host drives them.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstddef>

#include <map>
#include <stdexcept>

#include "AddInHarness.h"

namespace addintest {
namespace {

TEST(HostsLibrary, AnswersOnlyItsInterfaceVersionAndNamesItself) {
    const rmw_addin_library& library = hostsLibrary();
    EXPECT_EQ(library.interface_version, RMW_ADDIN_INTERFACE_VERSION);
    EXPECT_EQ(library.struct_size, sizeof(rmw_addin_library));
    EXPECT_STREQ(library.addin_class, "Roamwise.Hosts");
    EXPECT_STREQ(library.display_name, "Roamwise Hosts Add-In");
    EXPECT_STREQ(library.version, "1.0");

    void* handle = dlopen(ROAMWISE_HOSTS_ADDIN, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto entry = reinterpret_cast<rmw_addin_entry_function>(dlsym(handle, RMW_ADDIN_ENTRY_NAME));
    EXPECT_EQ(entry(RMW_ADDIN_INTERFACE_VERSION + 1), nullptr);
    EXPECT_EQ(entry(0), nullptr);
    dlclose(handle);
}

TEST(HostsLibrary, CreatesItsClassByProgIdOrClassIdInAnyCaseAndNothingElse) {
    FakeHost host;
    const rmw_host_services services = host.table();
    const rmw_addin_library& library = hostsLibrary();
    for (const char* classId : {"Roamwise.Hosts", "ROAMWISE.HOSTS",
                                "{bcb90364-292d-47e0-988b-503a6607dfc3}"}) {
        rmw_addin_object* object = nullptr;
        rmw_error error{};
        EXPECT_EQ(library.create_object(classId, &services, &object, &error), RMW_OK) << classId;
        ASSERT_NE(object, nullptr);
        library.release_object(object);
    }
    for (const char* classId : {"Roamwise.Other", "", "bcb90364-292d-47e0-988b-503a6607dfc3"}) {
        rmw_addin_object* object = reinterpret_cast<rmw_addin_object*>(&host);
        rmw_error error{};
        EXPECT_EQ(library.create_object(classId, &services, &object, &error), RMW_E_CANNOT_CREATE);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(error.number, RMW_E_CANNOT_CREATE);
        EXPECT_NE(std::string(error.description).find(classId), std::string::npos);
    }
    rmw_addin_object* object = nullptr;
    rmw_error error{};
    EXPECT_EQ(library.create_object(nullptr, &services, &object, &error), RMW_E_CANNOT_CREATE);

    rmw_host_services older = services;  // a host table that stops before write_file
    older.struct_size = offsetof(rmw_host_services, write_file);
    EXPECT_EQ(library.create_object("Roamwise.Hosts", &older, &object, &error), RMW_E_FAILED);
    EXPECT_EQ(library.create_object("Roamwise.Hosts", nullptr, &object, &error), RMW_E_FAILED);
    EXPECT_EQ(object, nullptr);
}

TEST(HostsLibrary, FindsMembersByNameInAnyCaseAndRefusesOthersAndWrongCounts) {
    FakeHost host;
    HostsObject addIn(host);
    EXPECT_EQ(addIn.call("APPLYSETTINGS").status, RMW_OK);
    EXPECT_EQ(addIn.callWithPath("LoadSettings", "C:\\office.rmw").status, RMW_OK);
    EXPECT_EQ(addIn.callWithPath("savesettings", "C:\\office.rmw").status, RMW_OK);

    const Outcome missing = addIn.call("Apply");
    EXPECT_EQ(missing.status, RMW_E_MEMBER_MISSING);
    EXPECT_EQ(missing.number, 438);
    EXPECT_EQ(missing.source, "Roamwise.Hosts");
    EXPECT_EQ(addIn.property("Show").status, RMW_E_MEMBER_MISSING);  // a method, no property
    EXPECT_EQ(addIn.property("Visible").number, 438);

    EXPECT_EQ(addIn.call("loadSettings").number, 450);
    EXPECT_EQ(addIn.call("saveSettings", {HostsObject::text("a"), HostsObject::text("b")}).number,
              450);
    EXPECT_EQ(addIn.call("applySettings", {HostsObject::text("x")}).status, RMW_E_ARGUMENT_COUNT);
    EXPECT_EQ(addIn.call("about", {HostsObject::text("x")}).number, 450);
    EXPECT_EQ(addIn.call("restart", {HostsObject::text("x")}).number, 450);

    rmw_value number{};
    number.kind = RMW_VALUE_NUMBER;
    number.number = 7;
    const Outcome mismatch = addIn.call("loadSettings", {number});
    EXPECT_EQ(mismatch.status, RMW_E_FAILED);
    EXPECT_EQ(mismatch.number, 13);
}

TEST(HostsLibrary, RestartIsFalseAndChangedStartsFalseReadEitherWay) {
    FakeHost host;
    HostsObject addIn(host);
    for (const char* name : {"restart", "RESTART", "Changed", "changed"}) {
        const Outcome read = addIn.property(name);
        EXPECT_EQ(read.status, RMW_OK) << name;
        EXPECT_EQ(read.result.kind, RMW_VALUE_BOOLEAN);
        EXPECT_EQ(read.result.boolean, 0);
        const Outcome called = addIn.call(name);
        EXPECT_EQ(called.result.kind, RMW_VALUE_BOOLEAN) << name;
    }
    EXPECT_EQ(addIn.call("about").result.kind, RMW_VALUE_EMPTY);
}

TEST(HostsLibrary, AboutShowsNameAndVersionThroughTheHost) {
    FakeHost host;
    HostsObject addIn(host);
    ASSERT_EQ(addIn.call("About").status, RMW_OK);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_NE(host.messageBoxes[0].text.find("Roamwise Hosts Add-In"), std::string::npos);
    EXPECT_NE(host.messageBoxes[0].text.find("Version 1.0"), std::string::npos);
    EXPECT_EQ(host.messageBoxes[0].caption, "About Roamwise Hosts Add-In");
    EXPECT_EQ(host.messageBoxes[0].type, 0x40u);
}

TEST(HostsLibrary, ShowWithoutARunningApplicationFailsClearlyAndChangesNothing) {
    FakeHost host;
    HostsObject addIn(host);
    const Outcome shown = addIn.call("Show");
    EXPECT_EQ(shown.status, RMW_E_FAILED);
    EXPECT_NE(shown.description.find("program with windows"), std::string::npos)
        << shown.description;
    EXPECT_EQ(addIn.property("Changed").result.boolean, 0);
}

TEST(HostsLibrary, NoExceptionOfTheHostOrOfMemoryLeavesTheTable) {
    FakeHost host;
    writeBytes(host.native("C:\\office.rmw"), "[Hosts Add-In]\r\nHost1=10.0.0.1 files\r\n");
    HostsObject addIn(host);
    ASSERT_EQ(addIn.callWithPath("loadSettings", "C:\\office.rmw").status, RMW_OK);

    host.beforeWrite = [] { throw std::runtime_error("the disk went away"); };
    const Outcome thrown = addIn.call("applySettings");
    EXPECT_EQ(thrown.status, RMW_E_FAILED);
    EXPECT_NE(thrown.description.find("the disk went away"), std::string::npos);

    host.beforeWrite = [] { throw std::bad_alloc(); };
    const Outcome memory = addIn.call("applySettings");
    EXPECT_EQ(memory.number, 7);
    EXPECT_EQ(memory.description, "Out of memory");

    host.beforeWrite = [] { throw 42; };
    EXPECT_EQ(addIn.call("applySettings").status, RMW_E_FAILED);
    EXPECT_EQ(readBytes(host.native("C:\\WINDOWS\\HOSTS")), "");
}

// A registry for self-registration: keys (lower case) to their values by name.
struct FakeRegistry {
    std::map<std::string, std::map<std::string, std::string>> keys;
    int32_t failOnWrite = -1;  // the write (counted from 0) that fails, -1 for none
    int writes = 0;

    static std::string lower(std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }
    static int32_t RMW_ADDIN_CALL setText(void* context, const char* key, const char* name,
                                          const char* value) {
        auto& self = *static_cast<FakeRegistry*>(context);
        if (self.writes++ == self.failOnWrite) return 5;
        self.keys[lower(key)][name ? name : ""] = value;
        return 0;
    }
    static int32_t RMW_ADDIN_CALL deleteTree(void* context, const char* key) {
        auto& self = *static_cast<FakeRegistry*>(context);
        const std::string prefix = lower(key);
        const auto erased = std::erase_if(self.keys, [&](const auto& entry) {
            return entry.first == prefix || entry.first.starts_with(prefix + "\\");
        });
        return erased > 0 ? 0 : 2;
    }
    rmw_registry_access table() {
        return {sizeof(rmw_registry_access), this, &setText, &deleteTree};
    }
};

TEST(HostsLibrary, RegistersItsClassWithTheLibraryPathAndRemovesItAgain) {
    FakeRegistry registry;
    const rmw_registry_access access = registry.table();
    const char* path = "C:\\Program Files\\Roamwise\\AddIns\\hosts.so";
    ASSERT_EQ(hostsLibrary().register_server(&access, path), 0);
    const std::string classKey = "clsid\\{bcb90364-292d-47e0-988b-503a6607dfc3}";
    EXPECT_EQ(registry.keys["roamwise.hosts\\clsid"][""], "{BCB90364-292D-47E0-988B-503A6607DFC3}");
    EXPECT_EQ(registry.keys[classKey + "\\inprocserver32"][""], path);
    EXPECT_EQ(registry.keys[classKey + "\\progid"][""], "Roamwise.Hosts");

    EXPECT_EQ(hostsLibrary().unregister_server(&access), 0);
    EXPECT_TRUE(registry.keys.empty());
    EXPECT_EQ(hostsLibrary().unregister_server(&access), 0);  // already gone is no failure

    registry.writes = 0;
    registry.failOnWrite = 3;  // a registration cut short leaves nothing behind
    EXPECT_EQ(hostsLibrary().register_server(&access, path), 5);
    EXPECT_TRUE(registry.keys.empty());
    EXPECT_NE(hostsLibrary().register_server(&access, nullptr), 0);
    EXPECT_NE(hostsLibrary().register_server(nullptr, path), 0);
}

}  // namespace
}  // namespace addintest
