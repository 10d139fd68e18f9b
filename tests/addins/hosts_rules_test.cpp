// What the add-in accepts as an entry, and the dialog's editor that applies it to rows.

#include <gtest/gtest.h>

#include "addins/hosts/HostEntryRules.h"
#include "addins/hosts/HostsEditor.h"

namespace hostsaddin {
namespace {

TEST(HostEntryRules, AcceptsDottedIPv4AndIPv6AndRefusesTheRest) {
    for (const char* good : {"0.0.0.0", "10.0.0.1", "255.255.255.255", "::1", "fe80::1:2",
                             "2001:db8::8a2e:370:7334"}) {
        EXPECT_EQ(addressProblem(good), "") << good;
    }
    for (const char* bad : {"", "10.0.0", "10.0.0.256", "10.0.0.1.", "010.0.0.1", "10.0.0.1/24",
                            " 10.0.0.1", "ten.0.0.1", "1::2::3", "0x0A.0.0.1"}) {
        EXPECT_NE(addressProblem(bad), "") << bad;
    }
}

TEST(HostEntryRules, AcceptsRfc1123HostNamesAndSaysWhatIsWrongWithOthers) {
    const std::string longLabel(63, 'a');
    const std::string longName = longLabel + "." + longLabel + "." + longLabel + "." +
                                 std::string(61, 'b');  // 253 characters
    for (const std::string& good : {std::string("localhost"), std::string("3com"),
                                    std::string("fs-1.Office.EXAMPLE"), longLabel, longName}) {
        EXPECT_EQ(hostNameProblem(good), "") << good;
    }
    const std::pair<std::string, std::string> bad[] = {
        {"", "empty label"},           {"a b", "blank"},
        {"a\x7f", "control"},          {"under_score", "\"_\""},
        {"-lead", "hyphen"},           {"trail-", "hyphen"},
        {"a..b", "empty label"},       {"dot.", "empty label"},
        {longLabel + "a", "label longer than 63"},
        {longName + "b", "longer than 253"},
        {"caf\xe9", "\"\xe9\""},
    };
    for (const auto& [name, reason] : bad) {
        const std::string problem = hostNameProblem(name);
        EXPECT_NE(problem.find(reason), std::string::npos) << name << ": " << problem;
    }
    EXPECT_EQ(commentProblem("Office \xe9 # server"), "");
    EXPECT_NE(commentProblem("two\r\nlines"), "");
}

TEST(HostsEditor, FinishesRowsIntoEntriesSkippingBlankRowsAndNamesTheRefusedRow) {
    HostsEditor editor({{"10.0.0.1", {"a", "b"}, "first"}});
    EXPECT_EQ(editor.rows()[0].cells[HostsEditor::Names], "a b");
    const std::size_t blank = editor.addRow();
    editor.setCell(blank, HostsEditor::Comment, "   ");
    const std::size_t row = editor.addRow();
    editor.setCell(row, HostsEditor::Address, " 10.0.0.2 ");
    editor.setCell(row, HostsEditor::Names, "  c\td  ");
    editor.setCell(row, HostsEditor::Comment, " note ");
    HostsEditor::Verdict verdict = editor.finish();
    ASSERT_EQ(verdict.problem, "");
    EXPECT_EQ(verdict.entries, (HostList{{"10.0.0.1", {"a", "b"}, "first"},
                                         {"10.0.0.2", {"c", "d"}, "note"}}));

    editor.setCell(row, HostsEditor::Names, "");
    verdict = editor.finish();
    EXPECT_EQ(verdict.problemRow, row);
    EXPECT_EQ(verdict.problem, "Row 3 is refused. The entry has no host name.");
    EXPECT_TRUE(verdict.entries.empty());

    editor.removeRow(row);
    editor.removeRow(99);
    EXPECT_EQ(editor.finish().entries.size(), 1u);
}

}  // namespace
}  // namespace hostsaddin
