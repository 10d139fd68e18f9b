// The recent-file list over the settings store: the maximum, loading up to the first gap,
// moving a file to the top, and what is written back.

#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "settings/recentFiles.h"
#include "tests/support/TestMachine.h"

namespace {

using Files = std::vector<std::string>;

class RecentFilesTest : public ::testing::Test {
  protected:
    void store(const std::string& key, const std::string& value) {
        SettingsStore().SaveSetting(kAppName, "Recent", key, value);
    }
    std::string stored(const std::string& key) const {
        return SettingsStore().GetSetting(kAppName, "Recent", key, "<missing>");
    }
    recentFiles loaded() {
        recentFiles list;
        list.getRecentList();
        return list;
    }

    testsupport::TestMachine machine_{"win98"};
};

TEST_F(RecentFilesTest, NothingStoredGivesAnEmptyListOfAtMostThree) {
    recentFiles list = loaded();
    EXPECT_EQ(list.maximum(), 3);
    EXPECT_TRUE(list.fileList().empty());
    for (const char* file : {"A", "B", "C", "D"}) list.setRecentFile(file);
    EXPECT_EQ(list.fileList(), (Files{"D", "C", "B"}));
}

TEST_F(RecentFilesTest, TheMaximumIsReadAsANumberUpToFive) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"9", 5}, {"5", 5}, {"1", 1}, {"0", 0}, {" 4 ", 4}, {"-2", 0}, {"many", 3}, {"", 3},
    };
    for (const auto& [text, maximum] : cases) {
        store("MaxFile", text);
        EXPECT_EQ(loaded().maximum(), maximum) << "MaxFile \"" << text << "\"";
    }
}

TEST_F(RecentFilesTest, MaximumZeroKeepsTheListEmpty) {
    store("MaxFile", "0");
    store("1File", "C:\\Configs\\Office.rmw");
    recentFiles list = loaded();
    EXPECT_TRUE(list.fileList().empty());
    list.setRecentFile("C:\\Configs\\Home.rmw");
    EXPECT_TRUE(list.fileList().empty());
}

TEST_F(RecentFilesTest, LoadingStopsAtTheFirstEmptyEntryAndAtTheMaximum) {
    store("1File", "A");
    store("2File", "");
    store("3File", "C");
    EXPECT_EQ(loaded().fileList(), Files{"A"});

    store("2File", "B");
    store("4File", "D");
    EXPECT_EQ(loaded().fileList(), (Files{"A", "B", "C"}));
    store("MaxFile", "9");
    EXPECT_EQ(loaded().fileList(), (Files{"A", "B", "C", "D"}));
}

TEST_F(RecentFilesTest, AFileAlreadyListedMovesToTheTopWithoutDuplicate) {
    store("1File", "A");
    store("2File", "B");
    store("3File", "C");
    recentFiles list = loaded();
    list.setRecentFile("C");
    EXPECT_EQ(list.fileList(), (Files{"C", "A", "B"}));
    list.setRecentFile("C");
    EXPECT_EQ(list.fileList(), (Files{"C", "A", "B"}));
    // The comparison is exact: another spelling is another entry.
    list.setRecentFile("a");
    EXPECT_EQ(list.fileList(), (Files{"a", "C", "A"}));
}

TEST_F(RecentFilesTest, WritingBackLeavesKeysBeyondTheListAlone) {
    store("MaxFile", "5");
    for (const char* key : {"1File", "2File", "3File", "4File"})
        store(key, std::string("old ") + key);
    recentFiles list;  // not loaded: empty, maximum 3
    list.setRecentFile("Z:\\tmp\\Two.rmw");
    list.setRecentFile("C:\\Configs\\One.rmw");
    list.setRecentList();
    EXPECT_EQ(stored("1File"), "C:\\Configs\\One.rmw");
    EXPECT_EQ(stored("2File"), "Z:\\tmp\\Two.rmw");
    EXPECT_EQ(stored("3File"), "old 3File");
    EXPECT_EQ(stored("4File"), "old 4File");
    EXPECT_EQ(loaded().fileList(),
              (Files{"C:\\Configs\\One.rmw", "Z:\\tmp\\Two.rmw", "old 3File", "old 4File"}));
}

TEST(RecentFileNameTest, TheNameFollowsTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(recentFiles::getFileName("C:\\Configs\\Home.rmw"), "Home.rmw");
    EXPECT_EQ(recentFiles::getFileName("Home.rmw"), "Home.rmw");
    EXPECT_EQ(recentFiles::getFileName("/home/user/configs/Office.rmw"), "Office.rmw");
    EXPECT_EQ(recentFiles::getFileName("C:\\Configs/sub\\Mixed.rmw"), "Mixed.rmw");
    EXPECT_EQ(recentFiles::getFileName("C:\\Configs\\"), "");
}

}  // namespace
