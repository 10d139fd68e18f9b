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

    // AFTER is BEFORE with the preference's line replaced or one line added.
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    if (before.size() - prefix - suffix > 1 || after.size() - prefix - suffix > 1) {
        fuzzsupport::requireEqual(input, fileBytes(prefsFile()),
                                  "storing a preference changed other lines");
    }
    return 0;
}
