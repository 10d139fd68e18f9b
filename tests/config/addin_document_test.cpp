// What the document calls on add-ins: load and save after its own sections, apply after
// the backends, the restart answers ORed, empty entries passed over, missing members
// raised, and the busy pointer around an apply.

#include <gtest/gtest.h>

#include <algorithm>

#include "config/RmwConfig.h"
#include "platform/Win32.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using configtest::RecordingAddIn;
using Lines = std::vector<std::string>;

class AddInDocumentTest : public ::testing::Test {
  protected:
    AddInDocumentTest() {
        first_ = std::make_shared<RecordingAddIn>("First", log_);
        second_ = std::make_shared<RecordingAddIn>("Second", log_);
        addIns_.add("First", first_);
        addIns_.add("Gone", nullptr);
        addIns_.add("Second", second_);
    }
    std::string file(const std::string& name) const { return (folder_.path() / name).string(); }

    testsupport::TestMachine machine_{"win98"};
    testsupport::TempFolder folder_;
    Lines log_;
    std::shared_ptr<RecordingAddIn> first_;
    std::shared_ptr<RecordingAddIn> second_;
    AddInList addIns_;
};

TEST_F(AddInDocumentTest, AddInsSaveAndLoadTheirSectionsAfterTheDocumentsOwn) {
    RmwConfig document;
    const std::string path = file("Office.rmw");
    document.saveConfigurationFile(path, addIns_);
    EXPECT_EQ(log_, (Lines{"First.saveSettings", "Second.saveSettings"}));
    EXPECT_EQ(configtest::sectionNames(configtest::fileBytes(path)),
              (Lines{"Enabled Sections", "Advanced", "Network", "Printer", "Internet Explorer",
                     "Netscape Navigator", "First", "Second"}));

    log_.clear();
    RmwConfig loaded;
    EXPECT_EQ(loaded.loadConfigurationFile(path, addIns_), 0);
    EXPECT_EQ(log_, (Lines{"First.loadSettings " + path, "Second.loadSettings " + path}));
    EXPECT_EQ(first_->loaded, "yes");
    EXPECT_EQ(second_->loaded, "yes");
}

TEST_F(AddInDocumentTest, SavingWithoutAnAddInDropsItsSections) {
    RmwConfig document;
    const std::string path = file("Office.rmw");
    document.saveConfigurationFile(path, addIns_);
    AddInList onlyFirst;
    onlyFirst.add("First", first_);
    document.saveConfigurationFile(path, onlyFirst);
    const Lines sections = configtest::sectionNames(configtest::fileBytes(path));
    EXPECT_EQ(sections.back(), "First");
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "Second"), 0);

    second_->loaded = "unchanged";
    RmwConfig loaded;
    loaded.loadConfigurationFile(path, addIns_);
    EXPECT_EQ(second_->loaded, "");
}

TEST_F(AddInDocumentTest, ApplyOrsTheRestartAnswersInListOrder) {
    RmwConfig document;
    EXPECT_FALSE(document.applyConfiguration(addIns_));
    EXPECT_EQ(log_, (Lines{"First.applySettings", "First.restart", "Second.applySettings",
                           "Second.restart"}));

    const std::vector<std::pair<AutomationValue, AutomationValue>> askingOnes = {
        {true, false},
        {false, true},
        {true, true},
        {std::int32_t{-1}, false},
        {std::string("True"), AutomationValue()}};
    for (const auto& [firstAnswer, secondAnswer] : askingOnes) {
        first_->restartAnswer = firstAnswer;
        second_->restartAnswer = secondAnswer;
        EXPECT_TRUE(document.applyConfiguration(addIns_));
    }
    // Nobody asks although every backend applied its settings.
    EXPECT_FALSE(document.applyConfiguration(AddInList()));
}

TEST_F(AddInDocumentTest, ApplyShowsTheBusyPointerAndPutsTheOldOneBack) {
    RmwConfig document;
    machine_.ui().mousePointer(platform::MousePointer::Default);
    auto history = [&] { return machine_.ui().pointerHistory(); };
    const auto before = history().size();
    document.applyConfiguration(addIns_);
    ASSERT_GE(history().size(), before + 2);
    EXPECT_EQ(history()[before], platform::MousePointer::Hourglass);
    EXPECT_EQ(machine_.ui().mousePointer(), platform::MousePointer::Default);
}

TEST_F(AddInDocumentTest, AnAddInLackingAMemberStopsTheCallWithItsError) {
    auto bare = std::make_shared<DispatchAddIn>("Vendor.Bare");
    bare->defineMethod("applySettings", 0,
                       [](const std::vector<AutomationValue>&) { return AutomationValue(); });
    AddInList addIns;
    addIns.add("First", first_);
    addIns.add("Bare", bare);
    addIns.add("Second", second_);

    RmwConfig document;
    try {
        document.applyConfiguration(addIns);
        FAIL() << "the missing restart property went unnoticed";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 438);
        EXPECT_EQ(error.Source(), "Vendor.Bare");
    }
    EXPECT_EQ(log_, (Lines{"First.applySettings", "First.restart"}));
    EXPECT_EQ(machine_.ui().mousePointer(), platform::MousePointer::Default);

    log_.clear();
    EXPECT_THROW(document.loadConfigurationFile(file("Office.rmw"), addIns), RaisedError);
    EXPECT_EQ(log_, (Lines{"First.loadSettings " + file("Office.rmw")}));
}

}  // namespace
