// The emulated machine's drives: Windows paths to native files and back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/emulated/MachinePaths.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::MachinePaths;

class PathsTest : public ::testing::Test {
  protected:
    PathsTest() {
        fs::create_directories(drive / "WINDOWS" / "System");
        std::ofstream(drive / "WINDOWS" / "Win.ini") << "[windows]\r\n";
        std::ofstream(drive / "WINDOWS" / "rmwsystray") << "";
    }

    testsupport::TempFolder temp;
    fs::path drive = temp.path() / "drive_c";
    MachinePaths paths{drive};
};

TEST_F(PathsTest, DriveCResolvesInsideTheMachineWithoutRegardToCase) {
    EXPECT_EQ(drive / "WINDOWS" / "Win.ini", paths.toNative("C:\\WINDOWS\\win.ini"));
    EXPECT_EQ(drive / "WINDOWS" / "Win.ini", paths.toNative("c:\\windows\\WIN.INI"));
    EXPECT_EQ(drive / "WINDOWS" / "System", paths.toNative("C:/Windows//SYSTEM\\"));
    EXPECT_EQ(drive / "WINDOWS" / "System", paths.toNative("C:\\Windows\\.\\Temp\\..\\System"));
    EXPECT_EQ(drive, paths.toNative("C:\\"));
    EXPECT_EQ(drive / "WINDOWS", paths.toNative("\\windows"));
}

TEST_F(PathsTest, MissingComponentsKeepTheirSpelling) {
    EXPECT_EQ(drive / "WINDOWS" / "New Folder" / "Office.RMW",
              paths.toNative("C:\\windows\\New Folder\\Office.RMW"));
}

TEST_F(PathsTest, DotDotStopsAtTheDriveRoot) {
    EXPECT_EQ(drive / "etc" / "passwd", paths.toNative("C:\\..\\..\\etc\\passwd"));
    EXPECT_EQ(fs::path("/etc"), paths.toNative("Z:\\..\\etc"));
}

TEST_F(PathsTest, ZIsTheRootOfThisComputerAndOtherDrivesAreNothing) {
    EXPECT_EQ(fs::path("/"), paths.toNative("Z:\\"));
    EXPECT_EQ(drive / "WINDOWS" / "Win.ini",
              paths.toNative("Z:" + (drive / "windows" / "win.ini").string()));
    EXPECT_TRUE(paths.toNative("D:\\setup.exe").empty());
    EXPECT_TRUE(paths.toNative("\\\\server\\share\\file").empty());
}

TEST_F(PathsTest, NativePathsStayAsTheyAre) {
    EXPECT_EQ(fs::path("/no/such/File.ini"), paths.toNative("/no/such/File.ini"));
    EXPECT_EQ(fs::path("relative/x.rmw"), paths.toNative("relative/x.rmw"));
}

TEST_F(PathsTest, ProgramsAreFoundByTheirWindowsName) {
    EXPECT_EQ(drive / "WINDOWS" / "rmwsystray", paths.toNative("C:\\WINDOWS\\RmwSysTray.exe"));
    EXPECT_TRUE(paths.fileExists("C:\\WINDOWS\\RmwSysTray.exe"));
    EXPECT_EQ(drive / "WINDOWS" / "Rmw.exe", paths.toNative("C:\\WINDOWS\\Rmw.exe"));
}

TEST_F(PathsTest, NativePathsAreSeenOnDriveCOrZ) {
    EXPECT_EQ("C:\\", paths.toWindows(drive));
    EXPECT_EQ("C:\\WINDOWS\\Win.ini", paths.toWindows(drive / "WINDOWS" / "Win.ini"));
    EXPECT_EQ("C:\\WINDOWS\\System", paths.toWindows(drive / "WINDOWS" / "x" / ".." / "System"));
    EXPECT_EQ("Z:\\usr\\bin", paths.toWindows("/usr/bin/"));
    EXPECT_EQ("Z:\\", paths.toWindows("/"));
    const fs::path link = temp.path() / "link";
    fs::create_directory_symlink(drive, link);
    EXPECT_EQ("C:\\WINDOWS", paths.toWindows(link / "WINDOWS"));
}

TEST_F(PathsTest, FileExistsOnlyForFiles) {
    EXPECT_TRUE(paths.fileExists("C:\\windows\\win.ini"));
    EXPECT_FALSE(paths.fileExists("C:\\windows"));
    EXPECT_FALSE(paths.fileExists("C:\\windows\\missing.ini"));
    EXPECT_FALSE(paths.fileExists("D:\\win.ini"));
}

}  // namespace
