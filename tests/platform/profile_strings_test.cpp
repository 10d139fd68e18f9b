// The emulated machine's profile-string files beyond the contract (tests/contract/): paths
// on its drives, and the guarantees against crashes, races, links and devices.

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
    // A file left alone past a tick of the file clock is read from the cache; a change in
    // place (same inode, same size) still shows in its times.
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_EQ("theirs", get("S", "k"));
    writeBytes(file, "[S]\r\nk=thEIrs\r\n");
    EXPECT_EQ("thEIrs", get("S", "k"));
}

// A write starts from the content this object wrote last only while the file is still
// that file: a replacement or a change in place by anyone else in between is kept.
TEST_F(ProfileStringsTest, WritesKeepWhatOthersChangedBetweenThem) {
    ASSERT_EQ(1, set("S", "a", "1"));
    ProfileFiles other{paths, "C:\\WINDOWS\\win.ini"};
    ASSERT_EQ(1, other.WritePrivateProfileStringA("S", "b", "2", file.string()));
    ASSERT_EQ(1, set("S", "c", "3"));
    EXPECT_EQ("[S]\r\na=1\r\nb=2\r\nc=3\r\n", readBytes(file));
    // In place, same size, right after the write: only the file's times tell.
    {
        std::fstream inPlace(file, std::ios::binary | std::ios::in | std::ios::out);
        inPlace.seekp(7);
        inPlace << '9';
    }
    ASSERT_EQ(1, set("S", "d", "4"));
    EXPECT_EQ("[S]\r\na=9\r\nb=2\r\nc=3\r\nd=4\r\n", readBytes(file));
    // The same file reached through a link that then points elsewhere.
    const fs::path link = temp.path() / "link.rmw";
    const fs::path elsewhere = temp.path() / "elsewhere.rmw";
    writeBytes(elsewhere, "[T]\r\n");
    fs::create_symlink(file, link);
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "e", "5", link.string()));
    fs::remove(link);
    fs::create_symlink(elsewhere, link);
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("T", "f", "6", link.string()));
    EXPECT_EQ("[T]\r\nf=6\r\n", readBytes(elsewhere));
    EXPECT_EQ("5", get("S", "e"));
}

// Files written are held open only while remembered: a few at a time, none after.
TEST_F(ProfileStringsTest, WrittenFilesAreNotHeldOpenBeyondAFew) {
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto before = openFiles();
    {
        ProfileFiles own{paths, "C:\\WINDOWS\\win.ini"};
        for (int i = 0; i < 20; ++i) {
            const fs::path each = temp.path() / ("file" + std::to_string(i) + ".ini");
            ASSERT_EQ(1, own.WritePrivateProfileStringA("S", "k", "v", each.string()));
            ASSERT_EQ(1, own.WritePrivateProfileStringA("S", "k", "w", each.string()));
        }
        EXPECT_LE(openFiles(), before + 8);
    }
    EXPECT_EQ(before, openFiles());
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
    // The file is replaced, never rewritten in place: another name of the old file
    // keeps the old content whole.
    const fs::path oldName = temp.path() / "old.rmw";
    fs::create_hard_link(file, oldName);
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "k", "w", link.string()));
    EXPECT_EQ("[S]\r\nk=v\r\n", readBytes(oldName));
    EXPECT_EQ("[S]\r\nk=w\r\n", readBytes(file));
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
    // Also a file this object has just written (and found writable) twice.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_EQ(1, set("S", "k", "1"));
    ASSERT_EQ(1, set("S", "k", "2"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(0, set("S", "k", "3"));
    EXPECT_EQ("[S]\r\nk=2\r\n", readBytes(file));
}

// A write session holds its folder's lock; a write of another file of that folder, even
// named through another path to it, takes the same lock at once instead of waiting.
TEST_F(ProfileStringsTest, AWriteDuringASessionOfTheSameFolderGoesThrough) {
    const fs::path folderLink = temp.path() / "same";
    fs::create_directory_symlink(temp.path(), folderLink);
    const std::string other = (folderLink / "Other.ini").string();
    ASSERT_TRUE(profiles.beginWriteSession(file.string(), ""));
    ASSERT_EQ(1, set("S", "k", "staged"));
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "k", "v", other));
    ASSERT_EQ(1, profiles.WritePrivateProfileStringA("S", "k", "w", other));
    ASSERT_TRUE(profiles.commitWriteSession(file.string()));
    profiles.endWriteSession(file.string());
    EXPECT_EQ("[S]\r\nk=staged\r\n", readBytes(file));
    EXPECT_EQ("[S]\r\nk=w\r\n", readBytes(temp.path() / "Other.ini"));
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
