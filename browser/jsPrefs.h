#pragma once
// A Netscape Navigator preferences file ("prefs.js") held as its lines. Only the lines
// of the keys asked for are touched; every other line is written back unchanged and in
// its place. The file is read whole on open and, in write mode, replaced whole on close.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class jsPrefs {
  public:
    jsPrefs() = default;
    // Writes a file still open in write mode back.
    ~jsPrefs();
    jsPrefs(const jsPrefs&) = delete;
    jsPrefs& operator=(const jsPrefs&) = delete;

    // Reads the whole file (a Windows or native path); bMode true writes it back on
    // close. Throws RaisedError when the file cannot be read.
    void openPrefsFile(const std::string& sFile, bool bMode);
    // In write mode replaces the file with the lines, each ended by CR LF; then forgets
    // the lines. Throws RaisedError when the file cannot be written.
    void closePrefsFile();

    // The key's value ("" when absent); a quoted text comes back without its quotes
    // and escapes.
    std::string getSetting(const std::string& sKey) const;
    void saveSettingStr(const std::string& sKey, const std::string& sValue);
    void saveSettingInt(const std::string& sKey, std::int32_t iValue);
    void deleteSetting(const std::string& sKey);

    // Shows "Error writing Navigator preferences".
    static void showWriteError();

    bool isOpen() const;
    const std::vector<std::string>& lines() const;

  private:
    // The line of a key and where its value begins in it.
    struct Value {
        const std::string* line;
        std::size_t start;
    };

    // 1-based number of the first line starting with the prefix, 0 when none.
    std::size_t findLine(const std::string& sPrefix) const;
    std::optional<Value> findValue(const std::string& sKey) const;
    std::string textLiteral(const std::string& sKey, const std::string& sValue) const;
    void placeLine(const std::string& sKey, const std::string& sLine);
    static void writeBack(const std::string& sFile, const std::vector<std::string>& lines);

    std::vector<std::string> lines_;
    std::string fileName_;
    bool writeMode_ = false;
};
