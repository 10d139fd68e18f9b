#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser/jsPrefs.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TestMachine.h"

namespace {

using browsertest::readBytes;
using browsertest::writeBytes;
using testing::ElementsAre;

class JsPrefsTest : public testing::Test {
  protected:
    JsPrefsTest() : scope_(services()) {}

    platform::Services services() {
        platform::Services s;
        s.files = &files_;
        s.ui = &ui_;
        return s;
    }

    std::string prefsFile(const std::string& contents) {
        writeBytes(path(), contents);
        return path().string();
    }
    std::filesystem::path path() const { return temp_.path() / "prefs.js"; }

    // The lines after replacing or adding KEY in CONTENTS and writing the file back.
    std::string rewrittenWith(const std::string& contents, const std::string& key,
                              const std::string& value) {
        jsPrefs prefs;
        prefs.openPrefsFile(prefsFile(contents), true);
        prefs.saveSettingStr(key, value);
        prefs.closePrefsFile();
        return readBytes(path());
    }

    testsupport::TempFolder temp_;
    browsertest::NativeFiles files_;
    testsupport::ScriptedUserInterface ui_;
    platform::ScopedServices scope_;
};

const std::string kThreeLines =
    "user_pref(\"a\", 1);\r\nuser_pref(\"b\", 2);\r\nuser_pref(\"c\", 3);\r\n";

TEST_F(JsPrefsTest, FindsKeysIgnoringCaseAndLeadingBlanksOnly) {
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("USER_PREF(\"Network.Proxy.Type\", 1);\n"
                                  "   user_pref(\"network.proxy.http\", \"web\");\n"
                                  "user_pref( \"network.proxy.ftp\", \"files\");\n"
                                  "user_pref(\"network.proxy.http_port\", 8080);\n"),
                        false);
    EXPECT_EQ(prefs.getSetting("network.proxy.type"), "1");
    EXPECT_EQ(prefs.getSetting("NETWORK.PROXY.HTTP"), "web");
    EXPECT_EQ(prefs.getSetting("network.proxy.http_port"), "8080");
    EXPECT_EQ(prefs.getSetting("network.proxy.ftp"), "");
    EXPECT_EQ(prefs.getSetting("network.proxy.gopher"), "");
}

TEST_F(JsPrefsTest, ReadsValuesUpToTheClosingOfTheCall) {
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("user_pref(\"url\", \"http://x/(a);b?c=d)\");\n"
                                  "user_pref(\"list\", \"a), b\");\n"
                                  "user_pref(\"empty\", \"\");\n"
                                  "user_pref(\"number\",42);\n"
                                  "user_pref(\"nocomma\");\n"
                                  "user_pref(\"late\") , 5;\n"
                                  "user_pref(\"unclosed\", \"abc);\n"),
                        false);
    EXPECT_EQ(prefs.getSetting("url"), "http://x/(a);b?c=d)");
    EXPECT_EQ(prefs.getSetting("list"), "a), b");
    EXPECT_EQ(prefs.getSetting("empty"), "");
    EXPECT_EQ(prefs.getSetting("number"), "42");
    EXPECT_EQ(prefs.getSetting("nocomma"), "");
    EXPECT_EQ(prefs.getSetting("late"), "");
    EXPECT_EQ(prefs.getSetting("unclosed"), "abc");
}

TEST_F(JsPrefsTest, EscapesQuotesBackslashesAndLineBreaksAndReadsThemBack) {
    const std::string value = "a \"quoted\" C:\\dir\\ (x); two\nlines";
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("// prefs\r\n"), true);
    prefs.saveSettingStr("k", value);
    EXPECT_EQ(prefs.getSetting("k"), value);
    prefs.closePrefsFile();
    EXPECT_EQ(readBytes(path()),
              "user_pref(\"k\", \"a \\\"quoted\\\" C:\\\\dir\\\\ (x); two\\nlines\");\r\n"
              "// prefs\r\n");
    prefs.openPrefsFile(path().string(), false);
    EXPECT_EQ(prefs.getSetting("k"), value);
}

TEST_F(JsPrefsTest, UnescapesStringsWrittenByTheBrowser) {
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("user_pref(\"dir\", \"C:\\\\Program Files\\\\\");\n"
                                  "user_pref(\"q\", \"say \\\"hi\\\" it\\'s\\ttab\");\n"
                                  "user_pref(\"u\", \"caf\\u00e9\");\n"),
                        false);
    EXPECT_EQ(prefs.getSetting("dir"), "C:\\Program Files\\");
    EXPECT_EQ(prefs.getSetting("q"), "say \"hi\" it's\ttab");
    EXPECT_EQ(prefs.getSetting("u"), "caf\xe9");
}

TEST_F(JsPrefsTest, UnicodeEscapesReadAsTheirSingleByteCharacterOrStayAsTheyStand) {
    jsPrefs prefs;
    prefs.openPrefsFile(
        prefsFile("user_pref(\"latin\", \"b\\u00FCcher \\x41\\u20ac\");\n"
                  "user_pref(\"wide\", \"\\u4e2d.example \\u0085 \\u000A \\u00e\");\n"),
        false);
    EXPECT_EQ(prefs.getSetting("latin"),
              "b\xfc"
              "cher A\x80");
    EXPECT_EQ(prefs.getSetting("wide"), "\\u4e2d.example \\u0085 \\u000A \\u00e");
}

TEST_F(JsPrefsTest, UnchangedTextValuesAreWrittenBackAsTheyStand) {
    const std::string escaped =
        "user_pref(\"a\", \"b\\u00fccher.example, \\u4e2d.example, pro\\x67\");";
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile(escaped + "\r\n// end\r\n"), true);
    prefs.saveSettingStr("a", prefs.getSetting("a"));
    EXPECT_EQ(prefs.lines().front(), escaped);

    prefs.saveSettingStr("a", prefs.getSetting("a") + ", x\\y");
    EXPECT_EQ(prefs.lines().front(),
              "user_pref(\"a\", \"b\xfc"
              "cher.example, \\u4e2d.example, prog, x\\\\y\");")
        << "a changed value keeps the characters it cannot hold as single bytes";
    prefs.saveSettingStr("A", "a \"quoted\" word");
    EXPECT_EQ(prefs.lines().front(), "user_pref(\"A\", \"a \\\"quoted\\\" word\");");
}

TEST_F(JsPrefsTest, ReplacedLinesKeepTheirPlaceExceptTheLastWhichMovesUp) {
    EXPECT_EQ(rewrittenWith(kThreeLines, "B", "x"),
              "user_pref(\"a\", 1);\r\nuser_pref(\"B\", \"x\");\r\nuser_pref(\"c\", 3);\r\n");
    EXPECT_EQ(rewrittenWith(kThreeLines, "a", "x"),
              "user_pref(\"a\", \"x\");\r\nuser_pref(\"b\", 2);\r\nuser_pref(\"c\", 3);\r\n");
    EXPECT_EQ(rewrittenWith(kThreeLines, "c", "x"),
              "user_pref(\"a\", 1);\r\nuser_pref(\"c\", \"x\");\r\nuser_pref(\"b\", 2);\r\n");
}

TEST_F(JsPrefsTest, NewKeysGoBeforeTheLastLineOrAreAppendedWhenThereIsNone) {
    EXPECT_EQ(rewrittenWith(kThreeLines, "new", ""),
              "user_pref(\"a\", 1);\r\nuser_pref(\"b\", 2);\r\nuser_pref(\"new\", \"\");\r\n"
              "user_pref(\"c\", 3);\r\n");
    EXPECT_EQ(rewrittenWith("", "new", "v"), "user_pref(\"new\", \"v\");\r\n");
    EXPECT_EQ(rewrittenWith("user_pref(\"only\", 1);\n", "only", "v"),
              "user_pref(\"only\", \"v\");\r\n");
    EXPECT_EQ(rewrittenWith("// comment\n", "k", "v"),
              "user_pref(\"k\", \"v\");\r\n// comment\r\n");
}

TEST_F(JsPrefsTest, IntegersAreWrittenUnquotedAndOnlyTheFirstMatchIsTouched) {
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("user_pref(\"t\", 1);\nuser_pref(\"T\", 5);\n// end\n"), true);
    prefs.saveSettingInt("network.proxy.type", 2);
    prefs.saveSettingInt("t", 65535);
    EXPECT_THAT(prefs.lines(), ElementsAre("user_pref(\"t\", 65535);", "user_pref(\"T\", 5);",
                                           "user_pref(\"network.proxy.type\", 2);", "// end"));
    prefs.deleteSetting("t");
    prefs.deleteSetting("absent");
    EXPECT_THAT(prefs.lines(), ElementsAre("user_pref(\"T\", 5);",
                                           "user_pref(\"network.proxy.type\", 2);", "// end"));
    EXPECT_EQ(prefs.getSetting("t"), "5");
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(JsPrefsTest, LinesEndAtCrLfCrOrLfAndAreWrittenWithCrLf) {
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile("one\r\ntwo\nthree\rfour\r\n\r\nsix"), true);
    EXPECT_THAT(prefs.lines(), ElementsAre("one", "two", "three", "four", "", "six"));
    prefs.closePrefsFile();
    EXPECT_EQ(readBytes(path()), "one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
}

TEST_F(JsPrefsTest, ReadModeLeavesTheFileAlone) {
    const std::string contents = "a\nb";
    jsPrefs prefs;
    prefs.openPrefsFile(prefsFile(contents), false);
    prefs.saveSettingStr("x", "y");
    prefs.closePrefsFile();
    EXPECT_EQ(readBytes(path()), contents);
    EXPECT_FALSE(prefs.isOpen());
    EXPECT_TRUE(prefs.lines().empty());
}

TEST_F(JsPrefsTest, DestructionWritesBackAFileOpenForWriting) {
    {
        jsPrefs prefs;
        prefs.openPrefsFile(prefsFile("// end\n"), true);
        prefs.saveSettingInt("k", 7);
    }
    EXPECT_EQ(readBytes(path()), "user_pref(\"k\", 7);\r\n// end\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST_F(JsPrefsTest, AFileThatCannotBeReadIsReportedAndNeverWritten) {
    {
        jsPrefs prefs;
        EXPECT_THROW(prefs.openPrefsFile(path().string(), true), RaisedError);
        EXPECT_FALSE(prefs.isOpen());
    }
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(JsPrefsTest, AFileThatCannotBeWrittenIsReportedAndTheObjectClosed) {
    const std::filesystem::path folder = temp_.path() / "profile";
    writeBytes(folder / "prefs.js", "a\n");
    jsPrefs prefs;
    prefs.openPrefsFile((folder / "prefs.js").string(), true);
    std::filesystem::remove_all(folder);
    EXPECT_THROW(prefs.closePrefsFile(), RaisedError);
    EXPECT_FALSE(prefs.isOpen());
}

// A disk that fills up: every whole-file write stops halfway and reports failure.
class FullDisk : public browsertest::NativeFiles {
  public:
    bool writeWholeFile(const std::string& windowsPath, const std::string& contents) override {
        NativeFiles::writeWholeFile(windowsPath, contents.substr(0, contents.size() / 2));
        return false;
    }
};

TEST_F(JsPrefsTest, AWriteThatStopsHalfwayLeavesThePreviousFileWhole) {
    const std::string before = "// prefs\r\n" + kThreeLines;
    prefsFile(before);
    FullDisk full;
    platform::Services services = this->services();
    services.files = &full;
    platform::ScopedServices onFullDisk(services);

    jsPrefs prefs;
    prefs.openPrefsFile(path().string(), true);
    prefs.saveSettingStr("network.proxy.http", "proxy.example.com");
    EXPECT_THROW(prefs.closePrefsFile(), RaisedError);
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "the half-written temporary file is removed";
}

}  // namespace
