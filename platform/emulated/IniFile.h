#pragma once
// The text of one profile-string (.INI) file, parsed into lines that keep their exact
// bytes. Lookups follow the Windows rules: section and key names match without regard
// to ASCII case after trimming blanks and tabs, and with duplicates only the first
// section or key counts. Edits touch only the lines they concern, so serialising
// gives back every other byte of the file unchanged.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::emulated {

class IniFile {
  public:
    IniFile() = default;
    // Parses BYTES; a leading UTF-8 byte-order mark and CR LF, LF or CR line ends are
    // accepted.
    explicit IniFile(std::string_view bytes);

    // The value of KEY in SECTION with surrounding blanks and one matching pair of
    // quotes removed; nothing when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces KEY's value in place, or adds the key at the end of its section, or
    // adds the section with the key at the end of the file. A value that would not read
    // back as written (blanks at either end, or quotes of its own) is written in quotes.
    // Returns whether the text changed.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    // Each returns whether anything was removed.
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);

    std::string bytes() const;

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;    // without its line end
        std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;            // trimmed section or key name
        std::size_t valueStart = 0;  // for keys: where the value starts in TEXT
    };
    struct SectionRange {
        std::size_t header;
        std::size_t end;  // one past the section's last line
    };

    static Line classify(std::string text, std::string ending);
    static Line keyLine(std::string_view key, std::string_view value);
    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const SectionRange& range, std::string_view key) const;
    std::size_t lastNonBlankLine(const SectionRange& range) const;
    void endLastLine();

    std::string byteOrderMark_;
    std::vector<Line> lines_;
};

}  // namespace platform::emulated
