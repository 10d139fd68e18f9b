// Creating add-in objects from their class identifiers.

#include <gtest/gtest.h>

#include <memory>

#include "config/AddInCalls.h"
#include "config/AddInClasses.h"
#include "config/DispatchAddIn.h"
#include "platform/RaisedError.h"

namespace {

std::shared_ptr<AddInObject> addInNamed(const std::string& classId) {
    return std::make_shared<DispatchAddIn>(classId);
}

void expectCannotCreate(const std::string& classId) {
    try {
        createAddInObject(classId);
        ADD_FAILURE() << classId << " was created";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 429);
        EXPECT_EQ(error.Source(), classId);
        EXPECT_EQ(error.Description(), "ActiveX component can't create object");
    }
}

TEST(AddInClassesTest, ARegisteredClassMakesANewObjectEachTime) {
    registerAddInClass("Vendor.Vpn", [] { return addInNamed("Vendor.Vpn"); });
    const auto first = createAddInObject("Vendor.Vpn");
    const auto second = createAddInObject("VENDOR.vpn");  // any ASCII case
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->classId(), "Vendor.Vpn");

    unregisterAddInClass("vendor.VPN");
    expectCannotCreate("Vendor.Vpn");
    unregisterAddInClass("Vendor.Vpn");  // a second removal does nothing
}

TEST(AddInClassesTest, UnknownClassesAndFactoriesWithoutObjectCannotBeCreated) {
    expectCannotCreate("Nobody.Registered");
    expectCannotCreate("");
    registerAddInClass("Vendor.Empty", [] { return std::shared_ptr<AddInObject>(); });
    expectCannotCreate("Vendor.Empty");
    unregisterAddInClass("Vendor.Empty");
}

TEST(AddInClassesTest, ALaterRegistrationReplacesTheEarlierOne) {
    registerAddInClass("Vendor.Proxy", [] { return addInNamed("first"); });
    registerAddInClass("vendor.proxy", [] { return addInNamed("second"); });
    EXPECT_EQ(createAddInObject("Vendor.Proxy")->classId(), "second");
    unregisterAddInClass("Vendor.Proxy");
}

TEST(AddInClassesTest, AFactoryMayRegisterClassesAndItsErrorsReachTheCaller) {
    registerAddInClass("Vendor.Suite", [] {
        registerAddInClass("Vendor.Part", [] { return addInNamed("Vendor.Part"); });
        return addInNamed("Vendor.Suite");
    });
    EXPECT_NE(createAddInObject("Vendor.Suite"), nullptr);
    EXPECT_NE(createAddInObject("Vendor.Part"), nullptr);
    unregisterAddInClass("Vendor.Suite");
    unregisterAddInClass("Vendor.Part");

    registerAddInClass("Vendor.Broken", []() -> std::shared_ptr<AddInObject> {
        throw RaisedError(7, "Vendor.Broken", "Out of memory");
    });
    try {
        createAddInObject("Vendor.Broken");
        ADD_FAILURE() << "created";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 7);
    }
    unregisterAddInClass("Vendor.Broken");
}

}  // namespace
