#pragma once
// What the editing dialog edits: rows of address, host names (blank-separated) and
// comment, as text. Finishing turns the rows into entries; the first refused row stops
// it with a message naming the row. Rows left wholly blank are dropped.

#include <cstddef>
#include <string>
#include <vector>

#include "HostEntry.h"

namespace hostsaddin {

class HostsEditor {
  public:
    enum Column { Address = 0, Names = 1, Comment = 2 };
    static constexpr std::size_t kColumnCount = 3;

    struct Row {
        std::string cells[kColumnCount];
    };

    struct Verdict {
        HostList entries;     // when PROBLEM is empty
        std::string problem;  // why the row PROBLEMROW is refused
        std::size_t problemRow = 0;
    };

    explicit HostsEditor(const HostList& entries);

    const std::vector<Row>& rows() const { return rows_; }
    // Appends a blank row and returns its index.
    std::size_t addRow();
    void removeRow(std::size_t row);
    void setCell(std::size_t row, Column column, const std::string& text);

    Verdict finish() const;

  private:
    std::vector<Row> rows_;
};

}  // namespace hostsaddin
