// Whole-file writes and replacements as configuration saves and prefs.js use them:
// they must refuse what Windows refuses and keep links pointing at the new content.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/Services.h"
#include "tests/support/TestMachine.h"

namespace {

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeAll(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

class FileReplaceTest : public ::testing::Test {
protected:
    testsupport::TestMachine machine{"win98"};
    testsupport::TempFolder temp;
    std::filesystem::path target = temp.path() / "office.rmw";
    std::filesystem::path staged = temp.path() / "office.rmw.saving";
};

TEST_F(FileReplaceTest, AReadOnlyFileIsNeitherReplacedNorRewritten) {
    writeAll(target, "old");
    writeAll(staged, "new");
    ::chmod(target.c_str(), 0444);

    EXPECT_FALSE(platform::files().replaceFile(staged.string(), target.string()));
    EXPECT_FALSE(platform::files().writeWholeFile(target.string(), "new"));
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(readAll(staged), "new");
}

TEST_F(FileReplaceTest, ALinkKeepsPointingAtTheReplacedContent) {
    const auto real = temp.path() / "real.rmw";
    writeAll(real, "old");
    std::filesystem::create_symlink(real, target);
    writeAll(staged, "new");

    ASSERT_TRUE(platform::files().replaceFile(staged.string(), target.string()));
    EXPECT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_EQ(readAll(real), "new");

    ASSERT_TRUE(platform::files().writeWholeFile(target.string(), "newer"));
    EXPECT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_EQ(readAll(real), "newer");
}

// A file that is not a regular one (here a socket, which anyone may make) keeps its
// place: a replacement would have put a plain file where a device or pipe was.
TEST_F(FileReplaceTest, AFileThatIsNotRegularIsNeitherReplacedNorRewritten) {
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(target.string().size(), sizeof address.sun_path);
    target.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(0, ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
    writeAll(staged, "new");

    EXPECT_FALSE(platform::files().replaceFile(staged.string(), target.string()));
    EXPECT_FALSE(platform::files().writeWholeFile(target.string(), "new"));
    EXPECT_TRUE(std::filesystem::is_socket(target));
    EXPECT_EQ(readAll(staged), "new");
    ::close(listener);
}

}  // namespace
