// The profile-string functions on files: lookup rules, where writes go, which bytes
// they leave alone, and the guarantees against broken lines, crashes and races.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "platform/emulated/MachinePaths.h"
#include "platform/emulated/ProfileFiles.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::MachinePaths;
using platform::emulated::ProfileFiles;

std::string readBytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class ProfileStringsTest : public ::testing::Test {
  protected:
    ProfileStringsTest() { fs::create_directories(temp.path() / "drive_c" / "WINDOWS"); }

    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue = "<default>") {
        return profiles.GetPrivateProfileStringA(section, key, defaultValue, file.string());
    }
    int set(const std::string& section, const std::optional<std::string>& key,
            const std::optional<std::string>& value) {
        return profiles.WritePrivateProfileStringA(section, key, value, file.string());
    }
    // Writes BYTES, then runs the write and returns the file's bytes.
    std::string afterWrite(const std::string& bytes, const std::string& section,
                           const std::optional<std::string>& key,
                           const std::optional<std::string>& value) {
        writeBytes(file, bytes);
        EXPECT_EQ(1, set(section, key, value));
        return readBytes(file);
    }

    testsupport::TempFolder temp;
    MachinePaths paths{temp.path() / "drive_c"};
    ProfileFiles profiles{paths, "C:\\WINDOWS\\win.ini"};
    fs::path file = temp.path() / "Office.rmw";
};

TEST_F(ProfileStringsTest, NamesMatchWithoutCaseAfterTrimmingBlanksAndTabs) {
    writeBytes(file, "[Enabled Sections]\r\n  General \t= 1\r\nInternet  Explorer=0\r\n");
    EXPECT_EQ("1", get("enabled sections", "GENERAL"));
    EXPECT_EQ("1", get("  ENABLED SECTIONS\t", " general "));
    EXPECT_EQ("0", get("Enabled Sections", "Internet  Explorer"));
    EXPECT_EQ("<default>", get("Enabled Sections", "Internet Explorer"));  // inner blanks count
    EXPECT_EQ("<default>", get("EnabledSections", "General"));
}

TEST_F(ProfileStringsTest, ValuesLoseSurroundingBlanksAndOneMatchingPairOfQuotes) {
    writeBytes(file,
               "[S]\r\nplain=  a b  \t\r\ndouble=\"  x  \"\r\nsingle= 'y' \r\n"
               "nested=\"'z'\"\r\nmixed=\"w'\r\nlone=\"\r\npair=\"\"\r\ninner=a \"b\" c\r\n"
               "empty=\r\nblank=   \r\nequals=a=b=c\r\n");
    EXPECT_EQ("a b", get("S", "plain"));
    EXPECT_EQ("  x  ", get("S", "double"));
    EXPECT_EQ("y", get("S", "single"));
    EXPECT_EQ("'z'", get("S", "nested"));
    EXPECT_EQ("\"w'", get("S", "mixed"));
    EXPECT_EQ("\"", get("S", "lone"));
    EXPECT_EQ("", get("S", "pair"));
    EXPECT_EQ("a \"b\" c", get("S", "inner"));
    EXPECT_EQ("", get("S", "empty"));  // an empty value is not a missing key
    EXPECT_EQ("", get("S", "blank"));
    EXPECT_EQ("a=b=c", get("S", "equals"));
}

TEST_F(ProfileStringsTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ("<default>", get("S", "k"));
    EXPECT_EQ("", get("S", "k", ""));
    writeBytes(file, "[S]\r\nk=v\r\n");
    EXPECT_EQ("<default>", get("T", "k"));
    EXPECT_EQ("<default>", get("S", "other"));
    EXPECT_EQ("fallback", profiles.GetPrivateProfileStringA("S", "k", "fallback", ""));
}

TEST_F(ProfileStringsTest, OnlyTheFirstOfDuplicateSectionsAndKeysCounts) {
    writeBytes(file, "[S]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nonly=late\r\n");
    EXPECT_EQ("first", get("S", "k"));
    EXPECT_EQ("<default>", get("S", "only"));
    EXPECT_EQ("[S]\r\nk=new\r\nk=second\r\n[s]\r\nk=third\r\nonly=late\r\n",
              afterWrite(readBytes(file), "S", "K", "new"));
}

TEST_F(ProfileStringsTest, CommentsKeylessLinesAndKeysBeforeAnySectionAreNotKeys) {
    writeBytes(file,
               "top=outside\r\n[S]\r\n;k=commented\r\n  ; k = still a comment\r\nk\r\n"
               "#hash=counts\r\nk=value\r\n");
    EXPECT_EQ("value", get("S", "k"));
    EXPECT_EQ("counts", get("S", "#hash"));
    EXPECT_EQ("<default>", get("S", "top"));
    EXPECT_EQ("<default>", get("S", ";k"));
}

TEST_F(ProfileStringsTest, LfLineEndsAndAByteOrderMarkAreRead) {
    writeBytes(file, "\xEF\xBB\xBF[Network]\nIPAddress=10.0.0.2\n[Printer]\nDefaultPrinter=HP");
    EXPECT_EQ("10.0.0.2", get("Network", "IPAddress"));
    EXPECT_EQ("HP", get("printer", "defaultprinter"));
}

TEST_F(ProfileStringsTest, LongValuesAreReturnedWhole) {
    const std::string comment(300, 'c');
    ASSERT_EQ(1, set("Advanced", "Comments", comment));
    EXPECT_EQ(comment, get("Advanced", "Comments"));
}

TEST_F(ProfileStringsTest, ANewFileGetsTheSectionAndKeyWithCrLf) {
    ASSERT_EQ(1, set("Sec", "Key", "Val"));
    EXPECT_EQ("[Sec]\r\nKey=Val\r\n", readBytes(file));
    ASSERT_EQ(1, set("Sec", "Empty", ""));
    EXPECT_EQ("[Sec]\r\nKey=Val\r\nEmpty=\r\n", readBytes(file));
}

TEST_F(ProfileStringsTest, ReplacingAValueKeepsEveryOtherByte) {
    const std::string before =
        "; header\r\n\r\n[A]\r\n  Key = old value \r\nother=1\r\n\r\n[B]\nkey=b\n";
    EXPECT_EQ("; header\r\n\r\n[A]\r\n  Key =new\r\nother=1\r\n\r\n[B]\nkey=b\n",
              afterWrite(before, "a", "KEY", "new"));
    EXPECT_EQ("new", get("A", "key"));
}

TEST_F(ProfileStringsTest, ANewKeyFollowsTheLastNonBlankLineOfItsSection) {
    const std::string before = "[A]\r\nx=1\r\n;note\r\n\r\n\r\n[B]\r\ny=2\r\n";
    EXPECT_EQ("[A]\r\nx=1\r\n;note\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n",
              afterWrite(before, "A", "z", "3"));
    EXPECT_EQ("[A]\r\n[B]\r\nnew=v\r\n", afterWrite("[A]\r\n[B]\r\n", "b", "new", "v"));
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n", afterWrite("[A]\r\nx=1", "A", "y", "2"));
}

TEST_F(ProfileStringsTest, ANewSectionIsAppendedAtTheEndWithoutABlankLine) {
    EXPECT_EQ("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", afterWrite("[A]\r\nx=1\r\n\r\n", "B", "y", "2"));
    EXPECT_EQ("[A]\r\nx=1\r\n[B]\r\ny=2\r\n", afterWrite("[A]\r\nx=1", "B", "y", "2"));
    EXPECT_EQ("[A]\nx=1\n[B]\r\ny=2\r\n", afterWrite("[A]\nx=1\n", "B", "y", "2"));
    EXPECT_EQ("\xEF\xBB\xBF[B]\r\ny=2\r\n", afterWrite("\xEF\xBB\xBF", "B", "y", "2"));
}

TEST_F(ProfileStringsTest, WritingNoValueDeletesTheKeyAndNoKeyTheSection) {
    const std::string before = "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n[C]\r\nw=4\r\n";
    EXPECT_EQ("[A]\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n[C]\r\nw=4\r\n",
              afterWrite(before, "a", "X", std::nullopt));
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n\r\n[C]\r\nw=4\r\n",
              afterWrite(before, "b", std::nullopt, "ignored"));
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n",
              afterWrite(before, "C", std::nullopt, std::nullopt));
}

TEST_F(ProfileStringsTest, DeletingWhatIsMissingChangesNothingAndSucceeds) {
    EXPECT_EQ(1, set("S", "k", std::nullopt));
    EXPECT_EQ(1, set("S", std::nullopt, std::nullopt));
    EXPECT_FALSE(fs::exists(file));
    const std::string before = "[S]\nk=v";
    EXPECT_EQ(before, afterWrite(before, "S", "missing", std::nullopt));
    EXPECT_EQ(before, afterWrite(before, "T", std::nullopt, std::nullopt));
}

TEST_F(ProfileStringsTest, LineBreaksInWrittenTextNeverMakeNewLines) {
    ASSERT_EQ(1, set("Advanced", "Comments", "first\r\n[Network]\nIPAddress=1.2.3.4\rend"));
    EXPECT_EQ("[Advanced]\r\nComments=first [Network] IPAddress=1.2.3.4 end\r\n", readBytes(file));
    EXPECT_EQ("<default>", get("Network", "IPAddress"));
    ASSERT_EQ(1, set("Sec\ntion", "Ke\r\ny", "v"));
    EXPECT_EQ("v", get("Sec tion", "Ke y"));
    EXPECT_EQ("v", get("Sec\ntion", "Ke\r\ny"));
}

TEST_F(ProfileStringsTest, NamesThatCouldNotBeReadBackAreRefused) {
    EXPECT_EQ(0, set("S", "a=b", "v"));
    EXPECT_EQ(0, set("S", "[T]", "v"));
    EXPECT_EQ(0, set("S", ";k", "v"));
    EXPECT_EQ(0, set("S]x", "k", "v"));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ProfileStringsTest, WindowsPathsResolveOnTheMachineDrivesWithoutCase) {
    ASSERT_EQ(1, profiles.WriteProfileStringA("windows", "device", "HP,HPPCL,LPT1:"));
    EXPECT_EQ("[windows]\r\ndevice=HP,HPPCL,LPT1:\r\n",
              readBytes(temp.path() / "drive_c" / "WINDOWS" / "win.ini"));
    EXPECT_EQ("HP,HPPCL,LPT1:", profiles.GetProfileStringA("Windows", "Device", ""));
    EXPECT_EQ("HP,HPPCL,LPT1:",
              profiles.GetPrivateProfileStringA("windows", "device", "", "c:\\windows\\WIN.INI"));
    const std::string onZ = "Z:" + file.string();
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "k", "z", onZ));
    EXPECT_EQ("z", get("S", "k"));
    EXPECT_EQ(0, profiles.WritePrivateProfileStringA("S", "k", "v", "D:\\x.ini"));
    EXPECT_EQ(0, profiles.WritePrivateProfileStringA("S", "k", "v", "C:\\NoSuchFolder\\x.ini"));
}

TEST_F(ProfileStringsTest, ChangesByOtherWritersAreSeenAtOnce) {
    ASSERT_EQ(1, set("S", "k", "mine"));
    EXPECT_EQ("mine", get("S", "k"));
    for (const char* value : {"1", "2", "3"}) {  // same size, same moment
        writeBytes(file, std::string("[S]\r\nk=") + value + "\r\n");
        EXPECT_EQ(value, get("S", "k"));
    }
    ProfileFiles other{paths, "C:\\WINDOWS\\win.ini"};
    ASSERT_EQ(1, other.WritePrivateProfileStringA("S", "k", "theirs", file.string()));
    EXPECT_EQ("theirs", get("S", "k"));
}

TEST_F(ProfileStringsTest, WritesKeepAnExistingFilesPermissionsAndSymbolicLinks) {
    writeBytes(file, "[S]\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = temp.path() / "link.rmw";
    fs::create_symlink(file, link);
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "k", "v", link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("[S]\r\nk=v\r\n", readBytes(file));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(file).permissions());
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        EXPECT_NE(".tmp", entry.path().extension()) << "left behind: " << entry.path();
    }
}

TEST_F(ProfileStringsTest, AReadOnlyFileIsNotWritten) {
    writeBytes(file, "[S]\r\nk=v\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(0, set("S", "k", "new"));
    EXPECT_EQ(0, set("S", "k", std::nullopt));
    EXPECT_EQ(1, set("S", "missing", std::nullopt));  // nothing to change
    EXPECT_EQ("[S]\r\nk=v\r\n", readBytes(file));
}

TEST_F(ProfileStringsTest, ADeviceIsNeitherReadToItsEndNorReplaced) {
    // Devices can only be made with the privilege to make them; without it there is
    // nothing here to test.
    if (::mknod(file.c_str(), S_IFCHR | 0644, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "cannot make a device node here";
    }
    EXPECT_EQ(0, set("S", "k", "v"));
    EXPECT_EQ(0, set("S", "k", std::nullopt));
    EXPECT_TRUE(fs::is_character_file(file));
}

// A writer killed at any moment leaves the old or the new file, never a part of it.
TEST_F(ProfileStringsTest, AWriterKilledHalfwayLeavesTheOldOrTheNewFile) {
    const std::string first(512 << 10, 'a');
    const std::string second(512 << 10, 'b');
    const std::string firstFile = "[S]\r\nk=" + first + "\r\n";
    const std::string secondFile = "[S]\r\nk=" + second + "\r\n";
    std::minstd_rand random(12345);
    for (int round = 0; round < 20; ++round) {
        writeBytes(file, firstFile);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) set("S", "k", i % 2 ? first : second);
        }
        // Once the child is writing, stop it at a random moment of its write loop.
        for (int wait = 0;
             wait < 500 && fs::file_size(file) == firstFile.size() && readBytes(file) == firstFile;
             ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string after = readBytes(file);
        ASSERT_TRUE(after == firstFile || after == secondFile)
            << "round " << round << ": " << after.size() << " bytes";
    }
}

// Two processes adding different keys to one file at the same time lose neither.
TEST_F(ProfileStringsTest, ConcurrentWritersOfOneFileLoseNoKey) {
    constexpr int kKeys = 40;
    auto writeKeys = [&](const std::string& prefix) {
        ProfileFiles own{paths, "C:\\WINDOWS\\win.ini"};
        for (int i = 0; i < kKeys; ++i) {
            own.WritePrivateProfileStringA("Shared", prefix + std::to_string(i), "v",
                                           file.string());
        }
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeKeys("child");
        _exit(0);
    }
    std::thread sibling([&] { writeKeys("thread"); });
    writeKeys("parent");
    sibling.join();
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (const char* prefix : {"child", "thread", "parent"}) {
        for (int i = 0; i < kKeys; ++i) {
            EXPECT_EQ("v", get("Shared", prefix + std::to_string(i))) << prefix << i;
        }
    }
}

}  // namespace
