// The setup package run against an emulated machine with crafted packages.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "platform/Win32.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/TextBox.h"
#include "setup/ArchiveExtractor.h"
#include "setup/MemberName.h"
#include "setup/SetupProgram.h"
#include "tests/setup/SetupPackages.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using forms::CommandButton;
using setuptest::Member;
using setuptest::zipOf;

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SetupProgramTest : public ::testing::Test {
  protected:
    fs::path native(const std::string& windowsPath) { return platform::files().toNative(windowsPath); }
    fs::path workingFolder() { return native("C:\\WINDOWS\\TEMP\\$Packwit.Tmp"); }
    bool installed() { return win32::GetPrivateProfileStringA("x", "y", "", "none") == "" && fs::exists(native("C:\\Installed")); }

    // Runs the package; the main dialog is answered by Install and then, while it is
    // still open, by AFTERINSTALL and Finish.
    // NESTED answer the dialogs the main dialog shows.
    setup::SetupOutcome run(std::function<void(forms::Form&)> afterInstall = {},
                            std::vector<testsupport::DialogScript> nested = {}) {
        machine.ui().queueDialog([afterInstall](forms::Form& form) {
            form.control<CommandButton>("cmdInstall").click();
            if (!form.loaded()) return;
            if (afterInstall) afterInstall(form);
            form.control<CommandButton>("cmdClose").click();
        });
        for (auto& script : nested) machine.ui().queueDialog(std::move(script));
        return setup::SetupProgram(package.string()).run();
    }
    std::vector<std::string> messages() { return machine.ui().messageTexts(); }

    testsupport::TestMachine machine{"win98"};
    testsupport::TempFolder folder;
    fs::path package = folder.path() / "RmwSetup.exe";
};

TEST_F(SetupProgramTest, ExtractsAgreesRunsTheInfAndRemovesWhatItExtracted) {
    const std::string text(100000, 'r');
    setuptest::writePackage(package,
                            zipOf({{"setup.inf", setuptest::installingInf("data.txt"), 0},
                                   {"data.txt", text},
                                   {"sub\\note.txt", "note", 0},
                                   {"empty/", "", 0}}),
                            setuptest::header(1, "Terms"));
    std::string agreement;
    std::string status, caption;
    std::time_t modified = 0;
    const auto outcome = run([&](forms::Form& form) {
        status = form.control<forms::TextBox>("txtStatus").Text();
        caption = form.Caption() + "|" + form.control<CommandButton>("cmdClose").Caption() + "|" +
                  (form.control<CommandButton>("cmdInstall").Visible() ? "install shown" : "install hidden");
        struct stat info {};
        ::stat((workingFolder() / "data.txt").c_str(), &info);
        modified = info.st_mtime;
        EXPECT_EQ(read(workingFolder() / "sub" / "note.txt"), "note");
    }, {[&](forms::Form& form) {
        agreement = form.control<forms::TextBox>("txtAgreement").Text() + "|" + form.Caption();
        form.control<CommandButton>("cmdAgree").click();
    }});
    EXPECT_TRUE(outcome.installed);
    EXPECT_EQ(outcome.infExitCode, 0u);
    EXPECT_EQ(agreement, "Terms|Licence agreement");
    EXPECT_EQ(caption, "Test Installation|&Finish|install hidden");
    EXPECT_EQ(status, "\r\n\r\n\r\n\r\nPlease click the \"Finish\" button to close this window after setup.");
    std::tm local{};
    local.tm_year = 101, local.tm_mon = 5, local.tm_mday = 15, local.tm_hour = 13, local.tm_min = 45, local.tm_sec = 30;
    local.tm_isdst = -1;
    EXPECT_EQ(modified, std::mktime(&local));  // the DOS time is local time
    EXPECT_EQ(read(native("C:\\Installed\\data.txt")), text);
    EXPECT_EQ(outcome.extracted.size(), 3u);
    EXPECT_FALSE(fs::exists(workingFolder()));
    EXPECT_TRUE(messages().empty());
}

// Each fault stops extraction with its message; nothing is installed, nothing written
// outside the working folder, and the working folder is gone afterwards.
TEST_F(SetupProgramTest, FaultyMembersStopWithTheirMessage) {
    const std::string big(1 << 20, 'z');
    struct Case {
        Member member;
        std::string message;
    };
    const Case cases[] = {
        {{"../evil.txt", "x"}, "Invalid filename."},
        {{"C:\\evil.txt", "x"}, "Invalid filename."},
        {{"\\evil.txt", "x"}, "Invalid filename."},
        {{"", "x"}, "Invalid filename."},
        {{"crc.txt", "data", 8, 0, 0, 0, 1}, "Error extracting file(s)."},
        {{"bomb.txt", big, 8, 0, 0, 0, 0, -(1 << 20) + 10}, "Error extracting file(s)."},
        {{"long.txt", "data", 0, 0, 0, 0, 0, 5}, "Error extracting file(s)."},
        {{"method.txt", "data", 12}, "Unknown compression type"},
        {{"secret.txt", "data", 8, 1}, "Error extracting file(s)."},
    };
    for (const auto& fault : cases) {
        machine.ui().clear();
        setuptest::writePackage(package, zipOf({{"setup.inf", setuptest::installingInf("setup.inf"), 0}, fault.member}));
        const auto outcome = run();
        EXPECT_FALSE(outcome.installed) << fault.member.name;
        EXPECT_EQ(messages(), std::vector<std::string>{fault.message}) << fault.member.name;
        EXPECT_FALSE(fs::exists(workingFolder())) << fault.member.name;
        EXPECT_FALSE(fs::exists(native("C:\\WINDOWS\\evil.txt")));
        EXPECT_FALSE(fs::exists(native("C:\\evil.txt")));
        EXPECT_FALSE(fs::exists(native("C:\\Installed")));
    }
}

TEST_F(SetupProgramTest, ADecompressionBombWritesNoMoreThanItsHeaderSays) {
    const fs::path archive = folder.path() / "archive.zip";
    std::ofstream(archive, std::ios::binary) << zipOf({{"bomb.txt", std::string(1 << 22, 'z'), 8, 0, 0, 0, 0, -(1 << 22) + 100}});
    fs::create_directories(workingFolder());
    setup::WorkingFolder working("C:\\");
    std::uintmax_t written = 0;
    setup::ArchiveExtractor extractor(working, {});
    EXPECT_FALSE(extractor.extract(archive.string(), 0));
    ASSERT_EQ(extractor.extractedFiles().size(), 1u);
    written = fs::file_size(native(extractor.extractedFiles()[0]));
    EXPECT_LE(written, 100u);
}

TEST_F(SetupProgramTest, MembersThroughALinkInAReusedWorkingFolderAreRefused) {
    fs::create_directories(workingFolder());
    fs::create_directories(folder.path() / "outside");
    fs::create_directory_symlink(folder.path() / "outside", workingFolder() / "lnk");
    setuptest::writePackage(package, zipOf({{"lnk/x.txt", "x", 0}}));
    run();
    EXPECT_EQ(messages(), std::vector<std::string>{"Invalid filename."});
    EXPECT_TRUE(fs::is_empty(folder.path() / "outside"));
}

TEST_F(SetupProgramTest, AWorkingFolderThatIsALinkIsNotUsed) {
    fs::create_directories(folder.path() / "elsewhere");
    fs::create_directories(workingFolder().parent_path());
    fs::create_directory_symlink(folder.path() / "elsewhere", workingFolder());
    setuptest::writePackage(package, zipOf({{"setup.inf", setuptest::installingInf("setup.inf"), 0}}));
    const auto outcome = run();
    EXPECT_FALSE(outcome.installed);
    EXPECT_EQ(messages(), std::vector<std::string>{"Error rebuilding this Setup package."});
    EXPECT_TRUE(fs::is_empty(folder.path() / "elsewhere"));
    EXPECT_TRUE(fs::is_symlink(workingFolder()));
}

TEST_F(SetupProgramTest, PartsAreJoinedAndAMissingPartIsAskedFor) {
    const std::string archive = zipOf({{"setup.inf", setuptest::installingInf("setup.inf"), 0},
                                       {"data.txt", std::string(3000, 'd'), 0}});
    setuptest::writePackage(package, archive, setuptest::header(), archive.size() / 3 + 1);
    ASSERT_TRUE(fs::exists(folder.path() / "RmwSetup.002"));
    ASSERT_FALSE(fs::exists(folder.path() / "RmwSetup.003"));
    EXPECT_TRUE(run().installed);
    EXPECT_TRUE(messages().empty());

    fs::remove(native("C:\\Installed\\setup.inf"));
    fs::rename(folder.path() / "RmwSetup.002", folder.path() / "away");
    machine.ui().clear();
    machine.ui().queueAnswer(platform::MsgBoxResult::Cancel);
    EXPECT_FALSE(setup::SetupProgram(package.string()).run().installed);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Please insert disk with part number 2..",
                                                    "Error rebuilding this Setup package."}));
    EXPECT_EQ(machine.ui().messages()[0].caption, "Test Installation");
    EXPECT_FALSE(fs::exists(workingFolder()));
}

TEST_F(SetupProgramTest, KeepOpenZeroFinishesByItself) {
    setuptest::writePackage(package, zipOf({{"setup.inf", setuptest::installingInf("setup.inf"), 0}}),
                            setuptest::header(0));
    machine.ui().queueDialog([](forms::Form& form) { form.control<CommandButton>("cmdInstall").click(); });
    EXPECT_TRUE(setup::SetupProgram(package.string()).run().installed);
    EXPECT_TRUE(fs::exists(native("C:\\Installed\\setup.inf")));
    EXPECT_FALSE(fs::exists(workingFolder()));
}

TEST_F(SetupProgramTest, OverwriteQuestionAndDontAskAgain) {
    setuptest::writePackage(package, zipOf({{"setup.inf", setuptest::installingInf("a.txt"), 0},
                                            {"a.txt", "one"}, {"a.txt", "two"}, {"a.txt", "three"}}));
    struct Case {
        bool yes;
        bool dontAsk;
        int questions;
        std::string content;
    };
    for (const Case& answer : {Case{true, true, 1, "three"}, Case{false, true, 1, "one"}, Case{true, false, 2, "three"}}) {
        int asked = 0;
        // The main dialog's script comes first.
        machine.ui().clear();
        std::string content;
        machine.ui().queueDialog([&](forms::Form& form) {
            form.control<CommandButton>("cmdInstall").click();
            content = read(workingFolder() / "a.txt");
            form.control<CommandButton>("cmdClose").click();
        });
        for (int i = 0; i < answer.questions; ++i) {
            machine.ui().queueDialog([&asked, answer](forms::Form& form) {
                ++asked;
                EXPECT_EQ(form.Caption(), "a.txt already exists - overwrite ?");
                if (answer.dontAsk) form.control<forms::CheckBox>("chkDontAsk").click();
                form.control<CommandButton>(answer.yes ? "cmdYes" : "cmdNo").click();
            });
        }
        asked = 0;
        setup::SetupProgram(package.string()).run();
        EXPECT_EQ(asked, answer.questions);
        EXPECT_EQ(content, answer.content);
    }
}

TEST_F(SetupProgramTest, MoreThan255ExtractedFilesAreAllRemoved) {
    std::vector<Member> members{{"setup.inf", setuptest::installingInf("setup.inf"), 0}};
    for (int i = 0; i < 256; ++i) members.push_back({"many/f" + std::to_string(i), "x", 0});
    setuptest::writePackage(package, zipOf(members));
    EXPECT_EQ(run().extracted.size(), 257u);
    EXPECT_FALSE(fs::exists(workingFolder()));
}

TEST(PackageFormatTest, HeaderRoundTripsAndDamageIsRefused) {
    setup::PackageHeader header = setuptest::header(0, "agree");
    header.blockA = "A";
    header.infoText = "info";
    header.totalSize = 123456789;
    const std::string bytes = setup::encodePackageHeader(header);
    const auto back = setup::parsePackageHeader(bytes + "PK");
    EXPECT_EQ(back.title, header.title);
    EXPECT_EQ(back.agreementText, "agree");
    EXPECT_EQ(back.totalSize, 123456789u);
    EXPECT_EQ(back.archiveOffset(), setup::kHeaderOffset + bytes.size());
    EXPECT_THROW(setup::parsePackageHeader(bytes.substr(0, bytes.size() - 1)), setup::PackageFormatError);
    EXPECT_THROW(setup::parsePackageHeader("MRX" + bytes.substr(3)), setup::PackageFormatError);
    EXPECT_EQ(setup::partName("C:\\x\\RmwSetup.exe", 2), "C:\\x\\RmwSetup.002");
}

TEST(MemberNameTest, NamesThatLeaveTheFolderAreRefused) {
    EXPECT_EQ(setup::memberPath("help/index.html").value_or("-"), "help\\index.html");
    EXPECT_EQ(setup::memberPath("./a\\b").value_or("-"), "a\\b");
    EXPECT_EQ(setup::memberPath("help/").value_or("-"), "");
    for (const char* bad : {"", "..", "a/../../b", "/etc/passwd", "\\x", "C:x", "a/b:c", "a\x01"})
        EXPECT_FALSE(setup::memberPath(bad)) << bad;
}

}  // namespace
