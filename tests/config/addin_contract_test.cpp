// The add-in contract: members resolved by name at run time, errors at the call site for
// anything the object lacks, the conversion of answers to booleans, and the named list.

#include <gtest/gtest.h>

#include "config/AddInCalls.h"
#include "config/AddInList.h"
#include "config/DispatchAddIn.h"
#include "platform/RaisedError.h"

namespace {

std::int32_t raisedNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const RaisedError& error) {
        return error.Number();
    }
    return 0;
}

TEST(AddInContractTest, MembersAreFoundByNameInAnyCase) {
    DispatchAddIn addIn("Vendor.Dialer");
    std::vector<std::string> calls;
    addIn.defineMethod("LOADSETTINGS", 1, [&](const std::vector<AutomationValue>& args) {
        calls.push_back("load " + std::get<std::string>(args[0]));
        return AutomationValue();
    });
    addIn.defineMethod("show", 0, [&](const std::vector<AutomationValue>&) {
        calls.push_back("show");
        return AutomationValue();
    });
    addIn.defineProperty("changed", [] { return AutomationValue(true); });
    addIn.defineProperty("Restart", [] { return AutomationValue(std::int32_t{0}); });

    addins::loadSettings(addIn, "C:\\Office.rmw");
    addins::Show(addIn);
    EXPECT_TRUE(addins::Changed(addIn));
    EXPECT_FALSE(addins::restart(addIn));
    EXPECT_EQ(calls, (std::vector<std::string>{"load C:\\Office.rmw", "show"}));
}

TEST(AddInContractTest, AMissingMemberIsRaisedAtTheCallSite) {
    DispatchAddIn addIn("Vendor.Partial");
    addIn.defineMethod("applySettings", 0,
                       [](const std::vector<AutomationValue>&) { return AutomationValue(); });
    addIn.defineMethod("about", 1,
                       [](const std::vector<AutomationValue>&) { return AutomationValue(); });

    try {
        addins::saveSettings(addIn, "C:\\Office.rmw");
        FAIL() << "a missing method was called";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 438);
        EXPECT_EQ(error.Source(), "Vendor.Partial");
        EXPECT_EQ(error.Description(), "Object doesn't support this property or method");
    }
    EXPECT_EQ(raisedNumber([&] { addins::restart(addIn); }), 438);
    EXPECT_EQ(raisedNumber([&] { addins::Changed(addIn); }), 438);
    // A method is no property, and the other way round.
    EXPECT_EQ(raisedNumber([&] { addIn.getProperty("applySettings"); }), 438);
    EXPECT_EQ(raisedNumber([&] { addins::applySettings(addIn); }), 0);
    // A member taking other arguments than the program passes.
    EXPECT_EQ(raisedNumber([&] { addins::about(addIn); }), 450);
}

TEST(AddInContractTest, AnswersConvertToBooleansAsTheAutomationModelDoes) {
    const std::vector<std::pair<AutomationValue, bool>> cases = {
        {AutomationValue(), false},
        {true, true},
        {false, false},
        {std::int32_t{-1}, true},
        {std::int32_t{0}, false},
        {0.5, true},
        {std::string("True"), true},
        {std::string(" false "), false},
        {std::string("TRUE"), true},
        {std::string("1"), true},
        {std::string("0"), false},
        {std::string("+1"), true},
        {std::string("-0.0"), false},
        {std::string("1e3"), true},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(toBoolean(value, "Test"), expected) << "case index " << value.index();
    }
    EXPECT_EQ(raisedNumber([] { toBoolean(std::string("yes"), "Test"); }), 13);
    EXPECT_EQ(raisedNumber([] { toBoolean(std::string(""), "Test"); }), 13);
    // Texts a C library reads as numbers but an automation object does not.
    for (const char* text : {"nan", "inf", "-Infinity", "0x10", "1.5.2", "+"}) {
        EXPECT_EQ(raisedNumber([&] { toBoolean(std::string(text), "Test"); }), 13) << text;
    }
}

TEST(AddInContractTest, TheListKeepsLoadingOrderAndUniqueNames) {
    AddInList list;
    auto first = std::make_shared<DispatchAddIn>("Vendor.First");
    auto second = std::make_shared<DispatchAddIn>("Vendor.Second");
    list.add("Dialer...", first);
    list.add("Printer Switch", second);
    list.add("Not There", nullptr);

    EXPECT_EQ(raisedNumber([&] { list.add("dialer...", second); }), 457);
    ASSERT_EQ(list.size(), 3u);
    std::vector<std::string> names;
    for (const auto& entry : list) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Dialer...", "Printer Switch", "Not There"}));
    EXPECT_EQ(list.find("DIALER..."), first);
    EXPECT_EQ(list.find("printer switch"), second);
    EXPECT_EQ(list.find("Not There"), nullptr);
    EXPECT_EQ(list.find("Dialer"), nullptr);

    list.clear();
    EXPECT_TRUE(list.empty());
}

}  // namespace
