// rmw's command line: how it splits into arguments, and which file the window opens
// from the file association's and the tray utility's forms of it.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/logic/main/CommandLine.h"
#include "tests/app/MainWindowFixture.h"

namespace mainwindowtest {
namespace {

TEST(CommandLineTest, CommasSplitQuotesVanishAndBlanksStay) {
    EXPECT_EQ(splitCommandLine("", 10), Texts{});
    EXPECT_EQ(splitCommandLine("a,b", 10), (Texts{"a", "b"}));
    EXPECT_EQ(splitCommandLine("C:\\My Configs\\Home.rmw", 10), Texts{"C:\\My Configs\\Home.rmw"});
    EXPECT_EQ(splitCommandLine(" a , b ", 10), (Texts{" a ", " b "}));
    EXPECT_EQ(splitCommandLine("\"C:\\Configs\\Office.rmw\",\"Office.rmw\"", 10),
              (Texts{"C:\\Configs\\Office.rmw", "Office.rmw"}));
    EXPECT_EQ(splitCommandLine("Off\"ice\".rmw", 10), Texts{"Office.rmw"});
    // Commas before an argument start nothing; a pair of quotes is an empty argument.
    EXPECT_EQ(splitCommandLine(",,a,,b,", 10), (Texts{"a", "b"}));
    EXPECT_EQ(splitCommandLine("\"\",b", 10), (Texts{"", "b"}));
}

TEST(CommandLineTest, ACommaBetweenQuotesBelongsToTheArgument) {
    EXPECT_EQ(splitCommandLine("\"C:\\a,b\\Office.rmw\",\"Office.rmw\"", 10),
              (Texts{"C:\\a,b\\Office.rmw", "Office.rmw"}));
    // Unquoted, the comma splits.
    EXPECT_EQ(splitCommandLine("C:\\a,b\\Office.rmw", 10), (Texts{"C:\\a", "b\\Office.rmw"}));
    // A quote left open keeps the rest together.
    EXPECT_EQ(splitCommandLine("\"a,b", 10), Texts{"a,b"});
}

TEST(CommandLineTest, AtMostTheAskedNumberOfArgumentsResult) {
    EXPECT_EQ(splitCommandLine("1,2,3,4,5,6,7,8,9,10,11,12", 10),
              (Texts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(splitCommandLine("a,b,c", 2), (Texts{"a", "b"}));
    EXPECT_EQ(splitCommandLine("a,b,c", 0), Texts{});
    EXPECT_EQ(withoutQuotes("\"C:\\a,b\\Office.rmw\""), "C:\\a,b\\Office.rmw");
}

class CommandLineWindowTest : public MainWindowTest {
  protected:
    // A configuration file at C:\a,b\Office.rmw.
    std::string fileInFolderWithComma() {
        std::filesystem::create_directories(machine_.machine().driveC() / "a,b");
        return configurationFileAt("C:\\a,b\\Office.rmw", false, false);
    }
};

TEST_F(CommandLineWindowTest, AWholeLineNamingAFileIsThatFile) {
    const std::string file = fileInFolderWithComma();
    EXPECT_EQ(frmMain::GetCommandLine("C:\\a,b\\Office.rmw"), Texts{file});
    EXPECT_EQ(frmMain::GetCommandLine("\"C:\\a,b\\Office.rmw\""), Texts{file});
    // Otherwise the line splits as usual.
    EXPECT_EQ(frmMain::GetCommandLine("C:\\a,b\\Other.rmw"), (Texts{"C:\\a", "b\\Other.rmw"}));
    EXPECT_EQ(frmMain::GetCommandLine("\"C:\\a,b\\Office.rmw\",\"Office.rmw\""),
              (Texts{file, "Office.rmw"}));
    EXPECT_EQ(frmMain::GetCommandLine(""), Texts{});
}

TEST_F(CommandLineWindowTest, TheTraysFormOpensAPathWithAComma) {
    const std::string file = fileInFolderWithComma();
    frmMain& window = start("\"C:\\a,b\\Office.rmw\",\"Office.rmw\"");
    EXPECT_EQ(ui().messageTexts(), Texts{});
    EXPECT_EQ(window.document().confFile(), file);
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
}

TEST_F(CommandLineWindowTest, TheFileAssociationsFormOpensAPathWithAComma) {
    const std::string file = fileInFolderWithComma();
    frmMain& window = start("C:\\a,b\\Office.rmw");
    EXPECT_EQ(ui().messageTexts(), Texts{});
    EXPECT_EQ(window.document().confFile(), file);
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
}

TEST_F(CommandLineWindowTest, OnlyTheFirstOfTwoPathsIsOpened) {
    const std::string first = configurationFile("First.rmw", false, false);
    const std::string second = configurationFile("Second.rmw", false, false);
    frmMain& window = start("\"" + first + "\",\"" + second + "\"");
    EXPECT_EQ(window.document().confFile(), first);
    EXPECT_EQ(window.recentList().fileList(), Texts{first});
    EXPECT_TRUE(window.applyPending());
}

TEST_F(CommandLineWindowTest, AMissingFileIsReportedAndTheWindowShowsTheCurrentConfiguration) {
    frmMain& window = start("C:\\Configs\\Gone.rmw");
    EXPECT_EQ(ui().messageTexts(), Texts{"Error opening file 'C:\\Configs\\Gone.rmw'."});
    EXPECT_TRUE(window.loaded());
    EXPECT_EQ(window.Caption(), "[Current Configuration] - Roamwise");
    EXPECT_TRUE(window.document().ApplyGeneral());
    EXPECT_EQ(window.document().confFile(), "");
    EXPECT_TRUE(window.recentList().fileList().empty());
    EXPECT_FALSE(window.applyPending());
}

TEST_F(CommandLineWindowTest, AnEmptyArgumentOpensNothing) {
    frmMain& window = start("\"\"");
    EXPECT_EQ(window.Caption(), "[Current Configuration] - Roamwise");
    EXPECT_TRUE(window.recentList().fileList().empty());
    EXPECT_FALSE(window.applyPending());
}

}  // namespace
}  // namespace mainwindowtest
