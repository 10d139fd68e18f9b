#pragma once
// Reads registry files as regedit writes them: REGEDIT4 (single-byte text) and
// "Windows Registry Editor Version 5.00" (UTF-16LE with a byte-order mark, or UTF-8),
// with CR LF or LF line ends and lines continued by a final backslash. The result is
// the list of changes the file asks for, in file order, as single-byte text.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"

namespace platform::emulated {

// A registry file that cannot be read; the message names the file and the line.
class RegFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct RegFileEntry {
    enum class Kind { Key, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::Key;
    int line = 0;
    std::string keyPath;    // full path as written: "HKEY_LOCAL_MACHINE\Software\X"
    std::string valueName;  // empty for the default value
    win32::DWORD type = win32::REG_NONE;
    std::string data;
};

class RegFileParser {
  public:
    // FILENAME only labels error messages.
    explicit RegFileParser(std::string fileName);
    // Throws RegFileError for the first malformed line.
    std::vector<RegFileEntry> parse(std::string_view bytes);

  private:
    struct LogicalLine {
        std::string text;
        int number = 0;
    };

    std::string decode(std::string_view bytes);
    std::vector<LogicalLine> splitLines(const std::string& text) const;
    void parseLine(const LogicalLine& line, std::vector<RegFileEntry>& entries);
    void parseKey(const LogicalLine& line, std::vector<RegFileEntry>& entries);
    void parseValue(const LogicalLine& line, std::vector<RegFileEntry>& entries);
    void requireCreatableKey(const LogicalLine& line, const std::vector<std::string>& names) const;
    void requireOneLine(const LogicalLine& line, const std::string& name, const char* what) const;
    std::string parseQuoted(const LogicalLine& line, std::size_t& at) const;
    void parseData(const LogicalLine& line, std::string_view data, RegFileEntry& entry) const;
    std::string parseHexBytes(const LogicalLine& line, std::string_view hex) const;
    [[noreturn]] void fail(int line, const std::string& message) const;

    std::string fileName_;
    bool unicodeFile_ = false;  // version 5.00: string data in hex are UTF-16LE
    std::string currentKey_;
    bool keyDeleted_ = false;
};

}  // namespace platform::emulated
