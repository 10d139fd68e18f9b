#pragma once
// An INF file as Windows' INF installer reads it: sections of lines, each line an
// optional key before "=" and a comma-separated list of values. ";" starts a comment
// outside quotes, a "\" at the end of a line joins the next one, a value in double
// quotes keeps its commas, blanks and semicolons ("" stands for one quote). Section
// and key names match without regard to ASCII case.
// %name% references are left in the values: they are resolved when the value is used,
// from [Strings] or, for numbers, from the directory ids of the installation.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform::emulated::inf {

// A fault of the INF file, with the file and the line it was found on.
class InfError : public std::runtime_error {
  public:
    InfError(const std::string& file, int line, const std::string& what);
    const std::string& file() const { return file_; }
    int line() const { return line_; }

  private:
    std::string file_;
    int line_;
};

struct InfLine {
    int number = 0;
    std::string text;  // the whole line without its comment, as written
    std::optional<std::string> key;
    std::vector<std::string> values;
    // The value at INDEX, or "" when the line has fewer.
    std::string value(std::size_t index) const {
        return index < values.size() ? values[index] : std::string();
    }
};

struct InfSection {
    std::string name;
    int number = 0;
    std::vector<InfLine> lines;
};

class InfFile {
  public:
    // Parses BYTES; InfError names FILENAME and the line of the first fault. This is the
    // entry a fuzz target calls.
    static InfFile parse(std::string_view bytes, const std::string& fileName);

    const std::string& fileName() const { return fileName_; }
    const std::vector<InfSection>& sections() const { return sections_; }
    // The first section named NAME, or nullptr.
    const InfSection* section(std::string_view name) const;
    // The [Strings] entry KEY, or nothing.
    std::optional<std::string> string(std::string_view key) const;

  private:
    std::string fileName_;
    std::vector<InfSection> sections_;
};

}  // namespace platform::emulated::inf
