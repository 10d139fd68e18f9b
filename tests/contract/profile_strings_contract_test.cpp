// The profile-string functions' contract on files: lookup rules, where writes go, which
// bytes they leave alone, on every platform implementation.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/Win32.h"
#include "tests/contract/ContractSystem.h"

namespace {

namespace fs = std::filesystem;
using contract::ContractSystem;

std::string readBytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class ProfileStringsContract : public testing::TestWithParam<std::string> {
  protected:
    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue = "<default>") {
        return win32::GetPrivateProfileStringA(section, key, defaultValue, fileName);
    }
    int set(const std::string& section, const std::optional<std::string>& key,
            const std::optional<std::string>& value) {
        return win32::WritePrivateProfileStringA(section, key, value, fileName);
    }
    // Writes BYTES, then runs the write and returns the file's bytes.
    std::string afterWrite(const std::string& bytes, const std::string& section,
                           const std::optional<std::string>& key,
                           const std::optional<std::string>& value) {
        writeBytes(file, bytes);
        EXPECT_EQ(1, set(section, key, value));
        return readBytes(file);
    }

    ContractSystem system_{GetParam()};
    std::string fileName = system_.scratchFolder() + "\\Office.rmw";
    fs::path file = platform::files().toNative(fileName);
};

INSTANTIATE_TEST_SUITE_P(Platforms, ProfileStringsContract,
                         testing::ValuesIn(ContractSystem::variants()));

TEST_P(ProfileStringsContract, NamesMatchWithoutCaseAfterTrimmingBlanksAndTabs) {
    writeBytes(file, "[Enabled Sections]\r\n  General \t= 1\r\nInternet  Explorer=0\r\n");
    EXPECT_EQ("1", get("enabled sections", "GENERAL"));
    EXPECT_EQ("1", get("  ENABLED SECTIONS\t", " general "));
    EXPECT_EQ("0", get("Enabled Sections", "Internet  Explorer"));
    EXPECT_EQ("<default>", get("Enabled Sections", "Internet Explorer"));  // inner blanks count
    EXPECT_EQ("<default>", get("EnabledSections", "General"));
}

TEST_P(ProfileStringsContract, ValuesLoseSurroundingBlanksAndOneMatchingPairOfQuotes) {
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

TEST_P(ProfileStringsContract, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ("<default>", get("S", "k"));
    EXPECT_EQ("", get("S", "k", ""));
    writeBytes(file, "[S]\r\nk=v\r\n");
    EXPECT_EQ("<default>", get("T", "k"));
    EXPECT_EQ("<default>", get("S", "other"));
    EXPECT_EQ("fallback", win32::GetPrivateProfileStringA("S", "k", "fallback", ""));
}

TEST_P(ProfileStringsContract, OnlyTheFirstOfDuplicateSectionsAndKeysCounts) {
    writeBytes(file, "[S]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nonly=late\r\n");
    EXPECT_EQ("first", get("S", "k"));
    EXPECT_EQ("<default>", get("S", "only"));
    EXPECT_EQ("[S]\r\nk=new\r\nk=second\r\n[s]\r\nk=third\r\nonly=late\r\n",
              afterWrite(readBytes(file), "S", "K", "new"));
}

TEST_P(ProfileStringsContract, CommentsKeylessLinesAndKeysBeforeAnySectionAreNotKeys) {
    writeBytes(file,
               "top=outside\r\n[S]\r\n;k=commented\r\n  ; k = still a comment\r\nk\r\n"
               "#hash=counts\r\nk=value\r\n");
    EXPECT_EQ("counts", get("S", "#hash"));
    EXPECT_EQ("<default>", get("S", "top"));
    if (system_.wineDiffers("Wine reads a line without '=' as its key without a value, and "
                            "';k=' as the key ';k'")) {
        EXPECT_EQ("<default>", get("S", "k"));
        EXPECT_EQ("commented", get("S", ";k"));
    } else {
        EXPECT_EQ("value", get("S", "k"));
        EXPECT_EQ("<default>", get("S", ";k"));
    }
}

TEST_P(ProfileStringsContract, LfLineEndsAndAByteOrderMarkAreRead) {
    writeBytes(file, "\xEF\xBB\xBF[Network]\nIPAddress=10.0.0.2\n[Printer]\nDefaultPrinter=HP");
    EXPECT_EQ("10.0.0.2", get("Network", "IPAddress"));
    EXPECT_EQ("HP", get("printer", "defaultprinter"));
}

TEST_P(ProfileStringsContract, LongValuesAreReturnedWhole) {
    const std::string comment(300, 'c');
    ASSERT_EQ(1, set("Advanced", "Comments", comment));
    EXPECT_EQ(comment, get("Advanced", "Comments"));
}

TEST_P(ProfileStringsContract, ANewFileGetsTheSectionAndKeyWithCrLf) {
    ASSERT_EQ(1, set("Sec", "Key", "Val"));
    EXPECT_EQ("[Sec]\r\nKey=Val\r\n", readBytes(file));
    ASSERT_EQ(1, set("Sec", "Empty", ""));
    EXPECT_EQ("[Sec]\r\nKey=Val\r\nEmpty=\r\n", readBytes(file));
}

// Windows changes the lines a write concerns and leaves every other byte alone. Wine
// writes the whole file anew from what it read: blank lines go, every line ends in CR LF
// and the blanks around "=" go.
constexpr const char* kWineRewrites = "Wine writes the whole file anew: blank lines, LF ends, "
                                      "blanks around '=' are lost";

TEST_P(ProfileStringsContract, ReplacingAValueKeepsEveryOtherByte) {
    const std::string before =
        "; header\r\n\r\n[A]\r\n  Key = old value \r\nother=1\r\n\r\n[B]\nkey=b\n";
    EXPECT_EQ(system_.wineDiffers(kWineRewrites)
                  ? "; header\r\n[A]\r\nKey=new\r\nother=1\r\n[B]\r\nkey=b\r\n"
                  : "; header\r\n\r\n[A]\r\n  Key =new\r\nother=1\r\n\r\n[B]\nkey=b\n",
              afterWrite(before, "a", "KEY", "new"));
    EXPECT_EQ("new", get("A", "key"));
}

TEST_P(ProfileStringsContract, ANewKeyFollowsTheLastNonBlankLineOfItsSection) {
    const std::string before = "[A]\r\nx=1\r\n;note\r\n\r\n\r\n[B]\r\ny=2\r\n";
    EXPECT_EQ(system_.wineDiffers(kWineRewrites)
                  ? "[A]\r\nx=1\r\n;note\r\nz=3\r\n[B]\r\ny=2\r\n"
                  : "[A]\r\nx=1\r\n;note\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n",
              afterWrite(before, "A", "z", "3"));
    EXPECT_EQ("[A]\r\n[B]\r\nnew=v\r\n", afterWrite("[A]\r\n[B]\r\n", "b", "new", "v"));
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n", afterWrite("[A]\r\nx=1", "A", "y", "2"));
}

TEST_P(ProfileStringsContract, ANewSectionIsAppendedAtTheEndWithoutABlankLine) {
    const bool rewrites = system_.wineDiffers(kWineRewrites);
    EXPECT_EQ(rewrites ? "[A]\r\nx=1\r\n[B]\r\ny=2\r\n" : "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n",
              afterWrite("[A]\r\nx=1\r\n\r\n", "B", "y", "2"));
    EXPECT_EQ("[A]\r\nx=1\r\n[B]\r\ny=2\r\n", afterWrite("[A]\r\nx=1", "B", "y", "2"));
    EXPECT_EQ(rewrites ? "[A]\r\nx=1\r\n[B]\r\ny=2\r\n" : "[A]\nx=1\n[B]\r\ny=2\r\n",
              afterWrite("[A]\nx=1\n", "B", "y", "2"));
    EXPECT_EQ("\xEF\xBB\xBF[B]\r\ny=2\r\n", afterWrite("\xEF\xBB\xBF", "B", "y", "2"));
}

TEST_P(ProfileStringsContract, WritingNoValueDeletesTheKeyAndNoKeyTheSection) {
    const std::string before = "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n[C]\r\nw=4\r\n";
    // Blank lines are where Wine's rewriting shows; without them the results agree.
    const bool rewrites = system_.wineDiffers(kWineRewrites);
    auto expected = [rewrites](std::string text) {
        if (!rewrites) return text;
        for (std::size_t at; (at = text.find("\r\n\r\n")) != std::string::npos;) text.erase(at, 2);
        return text;
    };
    EXPECT_EQ(expected("[A]\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n[C]\r\nw=4\r\n"),
              afterWrite(before, "a", "X", std::nullopt));
    EXPECT_EQ(expected("[A]\r\nx=1\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"),
              afterWrite(before, "b", std::nullopt, "ignored"));
    EXPECT_EQ(expected("[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n;b\r\nz=3\r\n\r\n"),
              afterWrite(before, "C", std::nullopt, std::nullopt));
}

TEST_P(ProfileStringsContract, DeletingWhatIsMissingChangesNothingAndSucceeds) {
    EXPECT_EQ(1, set("S", "k", std::nullopt));
    EXPECT_EQ(1, set("S", std::nullopt, std::nullopt));
    EXPECT_FALSE(fs::exists(file));
    const std::string before = "[S]\nk=v";
    EXPECT_EQ(before, afterWrite(before, "S", "missing", std::nullopt));
    EXPECT_EQ(before, afterWrite(before, "T", std::nullopt, std::nullopt));
}

// Windows writes a line break inside a value as it stands, so a value can add lines,
// sections and keys to the file; the emulated machine writes a blank in its place.
TEST_P(ProfileStringsContract, LineBreaksInWrittenTextNeverMakeNewLinesOnTheEmulatedMachine) {
    ASSERT_EQ(1, set("Advanced", "Comments", "first\r\n[Network]\nIPAddress=1.2.3.4\rend"));
    if (!system_.isEmulated()) {
        EXPECT_EQ("[Advanced]\r\nComments=first\r\n[Network]\nIPAddress=1.2.3.4\rend\r\n",
                  readBytes(file));
        EXPECT_EQ("1.2.3.4", get("Network", "IPAddress"));
        return;
    }
    EXPECT_EQ("[Advanced]\r\nComments=first [Network] IPAddress=1.2.3.4 end\r\n", readBytes(file));
    EXPECT_EQ("<default>", get("Network", "IPAddress"));
    ASSERT_EQ(1, set("Sec\ntion", "Ke\r\ny", "v"));
    EXPECT_EQ("v", get("Sec tion", "Ke y"));
    EXPECT_EQ("v", get("Sec\ntion", "Ke\r\ny"));
}

// Windows writes any name, even one that reads back as something else; the emulated
// machine refuses those.
TEST_P(ProfileStringsContract, NamesThatCouldNotBeReadBackAreRefusedOnTheEmulatedMachine) {
    const int written = system_.isEmulated() ? 0 : 1;
    EXPECT_EQ(written, set("S", "a=b", "v"));
    EXPECT_EQ(written, set("S", "[T]", "v"));
    EXPECT_EQ(written, set("S", ";k", "v"));
    EXPECT_EQ(written, set("S]x", "k", "v"));
    EXPECT_EQ(!system_.isEmulated(), fs::exists(file));
}

}  // namespace
