// Navigator's prefs.js. The input is a preference name and a text, each ended by a NUL,
// followed by the file's bytes. Escaping and unescaping a text gives it back; storing
// the text under the name and reading the written file gives it back too, and every
// line of the file other than the preference's own is kept, in its order.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "browser/jsPrefs.h"
#include "browser/jsString.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"
#include "platform/AsciiText.h"

namespace {

std::string takeField(std::string_view& input) {
    const auto end = std::min(input.find('\0'), input.size());
    std::string field(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    return field;
}

// Preference names are the program's own: letters, digits, dots and underscores.
bool isPreferenceName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_';
    });
}

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// LINES without the first line that sets preference NAME, found as Navigator finds it:
// blanks around the line and letter case aside.
std::vector<std::string> withoutFirstLineOf(std::vector<std::string> lines, const std::string& name) {
    const std::string prefix = "user_pref(\"" + name + "\"";
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (platform::lowerAscii(platform::trimBlanks(*line)).starts_with(prefix)) {
            lines.erase(line);
            break;
        }
    }
    return lines;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

const std::filesystem::path& prefsFile() {
    static fuzzsupport::FuzzMachine machine("win98");
    static const std::filesystem::path file = (machine.fresh(), machine.scratch() / "prefs.js");
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzzsupport::bytesOf(data, size);
    const std::string name = takeField(input);
    const std::string text = takeField(input);
    fuzzsupport::requireEqual(text, jsstring::unescape(jsstring::escape(text)),
                              "unescape(escape(text))");
    if (!isPreferenceName(name)) return 0;

    { std::ofstream(prefsFile(), std::ios::binary | std::ios::trunc) << input; }
    const std::vector<std::string> before = platform::splitLines(input);
    {
        jsPrefs prefs;
        prefs.openPrefsFile(prefsFile().string(), true);
        prefs.saveSettingStr(name, text);
        prefs.closePrefsFile();
    }
    const std::vector<std::string> after = platform::splitLines(fileBytes(prefsFile()));
    jsPrefs reread;
    reread.openPrefsFile(prefsFile().string(), false);
    fuzzsupport::requireEqual(text, reread.getSetting(name), "reading back a stored text");

    // Apart from the preference's own line (the first that names it, which stays in its
    // place or, when it was the last line, moves one up), the lines are as they were.
    fuzzsupport::requireEqual(joinedLines(withoutFirstLineOf(before, name)),
                              joinedLines(withoutFirstLineOf(after, name)),
                              "storing a preference changed other lines");
    return 0;
}
