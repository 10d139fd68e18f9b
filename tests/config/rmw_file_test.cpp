// The configuration file as the document writes and reads it: the header, the frame
// sections and the order of all sections, the switches, hand-edited files, and saves
// that must not destroy the file they replace.

#include <gtest/gtest.h>

#include <algorithm>

#include "config/RmwConfig.h"
#include "platform/Win32.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using configtest::describe;
using configtest::fileBytes;
using configtest::sectionNames;
using configtest::writeFileBytes;

const std::string kHeader =
    ";--------------------------------------------\r\n"
    "; Roamwise Configuration File\r\n"
    ";\r\n"
    ";--------------------------------------------\r\n"
    "\r\n"
    "\r\n";

using Lines = std::vector<std::string>;

class RmwFileTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return (folder_.path() / name).string(); }
    std::string read(const std::string& path, const std::string& section, const std::string& key) {
        return win32::GetPrivateProfileStringA(section, key, "<missing>", path);
    }
    // The key lines of SECTION in the saved text, in file order.
    static Lines keyLines(const std::string& text, const std::string& section) {
        Lines lines;
        bool inside = false;
        std::size_t start = 0;
        while (start < text.size()) {
            auto end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            if (!line.empty() && line.front() == '[') {
                inside = line == "[" + section + "]";
            } else if (inside && !line.empty()) {
                lines.push_back(line);
            }
            start = end + 2;
        }
        return lines;
    }

    testsupport::TestMachine machine_{"win98"};
    testsupport::TempFolder folder_;
    AddInList noAddIns_;
};

TEST_F(RmwFileTest, ASaveWritesTheHeaderThenTheSectionsInOrder) {
    RmwConfig document;
    document.AutoApply(true);
    document.Comments("  Harbourline office, 3rd floor  ");
    EXPECT_EQ(document.Comments(), "Harbourline office, 3rd floor");
    const std::string path = file("Office.rmw");
    EXPECT_EQ(document.saveConfigurationFile(path, noAddIns_), 1);
    EXPECT_EQ(document.confFile(), path);

    const std::string text = fileBytes(path);
    ASSERT_EQ(text.substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(sectionNames(text), (Lines{"Enabled Sections", "Advanced", "Network", "Printer",
                                         "Internet Explorer", "Netscape Navigator"}));
    EXPECT_EQ(keyLines(text, "Enabled Sections"),
              (Lines{"General=1", "Internet Explorer=1", "Netscape Navigator=1"}));
    EXPECT_EQ(keyLines(text, "Advanced"),
              (Lines{"AutoApply=1", "AutoReboot=0", "Comments=Harbourline office, 3rd floor"}));
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

TEST_F(RmwFileTest, ASwitchedOffGroupIsNamedButNotWritten) {
    RmwConfig document;
    document.ApplyGeneral(false);
    document.ApplyNN(false);
    const std::string path = file("Browsers.rmw");
    document.saveConfigurationFile(path, noAddIns_);
    const std::string text = fileBytes(path);
    EXPECT_EQ(sectionNames(text), (Lines{"Enabled Sections", "Advanced", "Internet Explorer"}));
    EXPECT_EQ(keyLines(text, "Enabled Sections"),
              (Lines{"General=0", "Internet Explorer=1", "Netscape Navigator=0"}));

    // A save replaces the file: what the earlier save wrote for a group now off is gone.
    RmwConfig full;
    full.saveConfigurationFile(path, noAddIns_);
    full.ApplyIE(false);
    full.saveConfigurationFile(path, noAddIns_);
    EXPECT_EQ(sectionNames(fileBytes(path)),
              (Lines{"Enabled Sections", "Advanced", "Network", "Printer", "Netscape Navigator"}));
}

TEST_F(RmwFileTest, OnlyTheTextOneSwitchesAGroupOn) {
    RmwConfig saved;
    saved.getNetConfig().Host("roamer");
    const std::string path = file("Switches.rmw");
    saved.saveConfigurationFile(path, noAddIns_);
    const std::string machineHost = RmwConfig().getNetConfig().Host();
    ASSERT_NE(machineHost, "roamer");

    for (const char* value : {"yes", "true", "01", "", "on"}) {
        win32::WritePrivateProfileStringA("Enabled Sections", std::string("GENERAL"),
                                          std::string(value), path);
        RmwConfig document;
        EXPECT_EQ(document.loadConfigurationFile(path, noAddIns_), 0);
        EXPECT_FALSE(document.ApplyGeneral()) << "General=" << value;
        EXPECT_EQ(document.getNetConfig().Host(), machineHost) << "General=" << value;
        EXPECT_TRUE(document.ApplyIE());
    }
    // Key names are found in any letter case.
    win32::WritePrivateProfileStringA("enabled sections", std::string("general"), std::string("1"),
                                      path);
    RmwConfig document;
    document.loadConfigurationFile(path, noAddIns_);
    EXPECT_TRUE(document.ApplyGeneral());
    EXPECT_EQ(document.getNetConfig().Host(), "roamer");
}

TEST_F(RmwFileTest, AFileWithoutTheFrameSwitchesEverythingOff) {
    const std::string path = file("Plain.rmw");
    writeFileBytes(path, "; an unconverted file\r\n[Network]\r\nHost=elsewhere\r\n");
    RmwConfig document;
    document.AutoApply(true);
    document.AutoReboot(true);
    document.Comments("kept until a load");
    const auto before = document.getNetConfig().Host();
    document.loadConfigurationFile(path, noAddIns_);
    EXPECT_FALSE(document.ApplyGeneral() || document.ApplyIE() || document.ApplyNN());
    EXPECT_FALSE(document.AutoApply() || document.AutoReboot());
    EXPECT_EQ(document.Comments(), "");
    EXPECT_EQ(document.getNetConfig().Host(), before);
    EXPECT_EQ(document.confFile(), path);

    // A file that is not there reads the same way.
    RmwConfig missing;
    missing.loadConfigurationFile(file("Nowhere.rmw"), noAddIns_);
    EXPECT_FALSE(missing.ApplyGeneral() || missing.ApplyIE() || missing.ApplyNN());
}

TEST_F(RmwFileTest, AHandEditedFileInAnotherOrderReadsTheSame) {
    RmwConfig original;
    original.AutoReboot(true);
    original.Comments("hand edited");
    original.getNetConfig().DNSServers("10.0.0.53,10.0.0.54");
    if (original.getIEConfig()) original.getIEConfig()->HTTPAddress("cache.harbourline.com");
    const std::string saved = file("Saved.rmw");
    original.saveConfigurationFile(saved, noAddIns_);

    // The same sections, last first, with comment lines and blank lines between them.
    const std::string text = fileBytes(saved);
    std::vector<std::string> blocks;
    for (std::size_t at = text.find('['); at != std::string::npos;) {
        const auto next = text.find("\r\n[", at);
        blocks.push_back(
            text.substr(at, next == std::string::npos ? std::string::npos : next + 2 - at));
        at = next == std::string::npos ? next : next + 2;
    }
    std::reverse(blocks.begin(), blocks.end());
    std::string edited = "; edited by hand\r\n";
    for (const auto& block : blocks) edited += "\r\n; next section\r\n" + block + "\r\n";
    const std::string handEdited = file("Edited.rmw");
    writeFileBytes(handEdited, edited);

    RmwConfig fromSaved;
    fromSaved.loadConfigurationFile(saved, noAddIns_);
    RmwConfig fromEdited;
    fromEdited.loadConfigurationFile(handEdited, noAddIns_);
    EXPECT_EQ(describe(fromEdited), describe(fromSaved));
    EXPECT_TRUE(fromEdited.AutoReboot());
    EXPECT_EQ(fromEdited.getNetConfig().DNSServers(), "10.0.0.53,10.0.0.54");
}

TEST_F(RmwFileTest, CommentsComeBackWholeOnOneLine) {
    RmwConfig document;
    const std::string longComment(300, 'c');
    document.Comments(longComment);
    const std::string path = file("Long.rmw");
    document.saveConfigurationFile(path, noAddIns_);
    RmwConfig loaded;
    loaded.loadConfigurationFile(path, noAddIns_);
    EXPECT_EQ(loaded.Comments(), longComment);

    // A line break would start a line of its own in the file; it is written as a blank.
    document.Comments("first line\r\n[Network]\nHost=injected");
    document.saveConfigurationFile(path, noAddIns_);
    EXPECT_EQ(keyLines(fileBytes(path), "Advanced").back(),
              "Comments=first line [Network] Host=injected");
    loaded.loadConfigurationFile(path, noAddIns_);
    EXPECT_EQ(loaded.Comments(), "first line [Network] Host=injected");
    EXPECT_NE(loaded.getNetConfig().Host(), "injected");
}

TEST_F(RmwFileTest, IEOnAMachineWithoutExplorerStaysSwitchedOnButUnwritten) {
    const std::string path = file("WithIE.rmw");
    RmwConfig().saveConfigurationFile(path, noAddIns_);
    configtest::setRegistryText(
        "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
        "User Agent", "Mozilla/2.0 (compatible; MSIE 3.0; Windows 95)");

    RmwConfig document;
    ASSERT_FALSE(document.IEInstalled());
    document.loadConfigurationFile(path, noAddIns_);
    EXPECT_TRUE(document.ApplyIE());
    const std::string again = file("Again.rmw");
    document.saveConfigurationFile(again, noAddIns_);
    EXPECT_EQ(read(again, "Enabled Sections", "Internet Explorer"), "1");
    const auto sections = sectionNames(fileBytes(again));
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "Internet Explorer"), 0);
}

TEST_F(RmwFileTest, AFailedSaveLeavesThePreviousFileAsItWas) {
    const std::string path = file("Office.rmw");
    RmwConfig document;
    document.saveConfigurationFile(path, noAddIns_);
    const std::string previous = fileBytes(path);

    std::vector<std::string> log;
    auto failing = std::make_shared<configtest::RecordingAddIn>("Dialer", log);
    failing->failOnSave = true;
    AddInList addIns;
    addIns.add("Dialer", failing);
    document.Comments("never saved");
    EXPECT_THROW(document.saveConfigurationFile(path, addIns), RaisedError);
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));

    // Without the failing add-in the save goes through and replaces the file.
    document.saveConfigurationFile(path, noAddIns_);
    EXPECT_EQ(read(path, "Advanced", "Comments"), "never saved");
}

// Profile files that refuse writes into one section, as a full disk would part-way.
class RefusingProfiles : public platform::ProfileStrings {
  public:
    RefusingProfiles(platform::ProfileStrings& real, std::string section)
        : real_(real), section_(std::move(section)) {}
    std::string GetPrivateProfileStringA(const std::string& s, const std::string& k,
                                         const std::string& d, const std::string& f) override {
        return real_.GetPrivateProfileStringA(s, k, d, f);
    }
    win32::BOOL WritePrivateProfileStringA(const std::string& s,
                                           const std::optional<std::string>& k,
                                           const std::optional<std::string>& v,
                                           const std::string& f) override {
        if (s == section_) return 0;
        return real_.WritePrivateProfileStringA(s, k, v, f);
    }
    std::string GetProfileStringA(const std::string& s, const std::string& k,
                                  const std::string& d) override {
        return real_.GetProfileStringA(s, k, d);
    }
    win32::BOOL WriteProfileStringA(const std::string& s, const std::optional<std::string>& k,
                                    const std::optional<std::string>& v) override {
        return real_.WriteProfileStringA(s, k, v);
    }
    bool beginWriteSession(const std::string& file, const std::string& contents) override {
        return real_.beginWriteSession(file, contents);
    }
    bool commitWriteSession(const std::string& file) override {
        return real_.commitWriteSession(file);
    }
    void endWriteSession(const std::string& file) override { real_.endWriteSession(file); }
    std::string writeSessionContents(const std::string& file) override {
        return real_.writeSessionContents(file);
    }

  private:
    platform::ProfileStrings& real_;
    std::string section_;
};

TEST_F(RmwFileTest, ARefusedWriteFailsTheSaveAndKeepsThePreviousFile) {
    const std::string path = file("Office.rmw");
    RmwConfig document;
    document.saveConfigurationFile(path, noAddIns_);
    const std::string previous = fileBytes(path);

    for (const char* section : {"Advanced", "Internet Explorer", "Netscape Navigator"}) {
        RefusingProfiles refusing(*machine_.services().profiles, section);
        platform::Services services = machine_.services();
        services.profiles = &refusing;
        platform::ScopedServices scope(services);
        try {
            document.saveConfigurationFile(path, noAddIns_);
            ADD_FAILURE() << "a save passed although [" << section << "] was refused";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), 75);
        }
        EXPECT_EQ(fileBytes(path), previous) << section;
    }
}

TEST_F(RmwFileTest, AFileThatCannotBeCreatedIsRaisedBeforeAnythingIsWritten) {
    RmwConfig document;
    const std::string path = file("No Such Folder/Office.rmw");
    std::vector<std::string> log;
    auto addIn = std::make_shared<configtest::RecordingAddIn>("Dialer", log);
    AddInList addIns;
    addIns.add("Dialer", addIn);
    try {
        document.saveConfigurationFile(path, addIns);
        FAIL() << "the save passed";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 75);
        EXPECT_EQ(error.Description(), "Path/File access error");
    }
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "No Such Folder"));
    EXPECT_EQ(document.confFile(), path);

    // Paths that name no file fail the same way, and a file of the folder that happens
    // to be called ".saving" is left alone.
    const std::string unrelated = file(".saving");
    writeFileBytes(unrelated, "someone else's");
    const std::vector<std::string> noFiles = {"", "  ", folder_.path().string() + "/", "C:\\"};
    for (const std::string& noFile : noFiles) {
        EXPECT_THROW(document.saveConfigurationFile(noFile, addIns), RaisedError) << noFile;
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(fileBytes(unrelated), "someone else's");
    EXPECT_FALSE(std::filesystem::exists(machine_.machine().driveC() / ".saving"));
}

TEST_F(RmwFileTest, WindowsPathsWorkAsWellAsNativeOnes) {
    RmwConfig document;
    document.Comments("on drive C");
    document.saveConfigurationFile("C:\\Office.rmw", noAddIns_);
    EXPECT_EQ(fileBytes(machine_.machine().driveC() / "Office.rmw").substr(0, kHeader.size()),
              kHeader);
    RmwConfig loaded;
    loaded.loadConfigurationFile("c:\\OFFICE.RMW", noAddIns_);
    EXPECT_EQ(loaded.Comments(), "on drive C");
}

TEST_F(RmwFileTest, PrintingIsNotOffered) {
    RmwConfig document;
    machine_.ui().clear();
    EXPECT_EQ(document.printConfiguration(), 1);
    ASSERT_EQ(machine_.ui().messages().size(), 1u);
    EXPECT_EQ(machine_.ui().messages()[0].text, "Print option not yet enabled.");
    EXPECT_EQ(machine_.ui().messages()[0].icon, platform::MsgBoxIcon::Information);
    EXPECT_EQ(machine_.ui().messages()[0].caption, "Roamwise");
}

}  // namespace
