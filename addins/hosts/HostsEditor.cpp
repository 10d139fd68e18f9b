#include "HostsEditor.h"

#include "HostEntryRules.h"

namespace hostsaddin {

namespace {

std::string joinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

bool isBlankRow(const HostsEditor::Row& row) {
    for (const std::string& cell : row.cells) {
        if (!trimBlanks(cell).empty()) return false;
    }
    return true;
}

HostEntry entryOf(const HostsEditor::Row& row) {
    return HostEntry{std::string(trimBlanks(row.cells[HostsEditor::Address])),
                     splitWords(row.cells[HostsEditor::Names]),
                     std::string(trimBlanks(row.cells[HostsEditor::Comment]))};
}

}  // namespace

HostsEditor::HostsEditor(const HostList& entries) {
    for (const HostEntry& entry : entries) {
        rows_.push_back(Row{{entry.address, joinNames(entry.names), entry.comment}});
    }
}

std::size_t HostsEditor::addRow() {
    rows_.emplace_back();
    return rows_.size() - 1;
}

void HostsEditor::removeRow(std::size_t row) {
    if (row < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void HostsEditor::setCell(std::size_t row, Column column, const std::string& text) {
    if (row < rows_.size()) rows_[row].cells[column] = text;
}

HostsEditor::Verdict HostsEditor::finish() const {
    Verdict verdict;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (isBlankRow(rows_[i])) continue;
        HostEntry entry = entryOf(rows_[i]);
        if (std::string problem = entryProblem(entry); !problem.empty()) {
            verdict.problem = "Row " + std::to_string(i + 1) + " is refused. " + problem;
            verdict.problemRow = i;
            verdict.entries.clear();
            return verdict;
        }
        verdict.entries.push_back(std::move(entry));
    }
    return verdict;
}

}  // namespace hostsaddin
