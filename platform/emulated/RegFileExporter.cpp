#include "platform/emulated/RegFileExporter.h"

#include <algorithm>
#include <cstdio>

#include "platform/emulated/ClassesRoot.h"
#include "platform/emulated/RegFileParser.h"

namespace platform::emulated {
namespace {

constexpr const char* kLineEnd = "\r\n";
// regedit wraps lists of bytes before this column and goes on indented by two blanks.
constexpr std::size_t kWrapColumn = 77;

// Strings that read back unchanged from "..." form: one final NUL, no other NUL, and
// no line breaks.
bool writableAsText(const std::string& data) {
    if (data.empty() || data.back() != '\0') return false;
    return data.find_first_of(std::string("\r\n\0", 3)) == data.size() - 1;
}

std::string hexList(std::string prefix, const std::string& data) {
    std::string out = std::move(prefix);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
        bool last = i + 1 == data.size();
        if (out.size() - lineStart + 3 > kWrapColumn && !last) {
            out += "\\";
            out += kLineEnd;
            lineStart = out.size();
            out += "  ";
        }
        out += byte;
        if (!last) out += ',';
    }
    return out;
}

// A name with a line break cannot be written: the file has no escape for one, and the
// broken line would make the whole file unreadable.
void requireOneLineName(const std::string& name, const std::string& what) {
    if (name.find_first_of("\r\n") == std::string::npos) return;
    // The message names it on one line, its breaks spelt as \r and \n.
    std::string shown;
    for (char c : name) shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    throw RegFileError(what + " \"" + shown +
                       "\" holds a line break and cannot be written to a registry file");
}

}  // namespace

std::string quotedRegText(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

RegFileExporter::RegFileExporter(RegistryDatabase& database) : database_(database) {}

std::string RegFileExporter::exportKey(const std::string& keyPath) {
    const auto given = splitRootedPath(keyPath);
    if (!given) throw RegFileError("unknown root key in \"" + keyPath + "\"");
    const RootedPath rooted = canonicalRootedPath(*given);
    std::string folded = rooted.root.name;
    for (const auto& component : splitKeyPath(rooted.subPath)) {
        folded += '\\';
        folded += foldName(component);
    }
    std::string out = "REGEDIT4";
    out += kLineEnd;
    // One transaction, so the file shows the registry at one moment.
    RegistryDatabase::Transaction snapshot(database_);
    auto key = database_.findKey(folded);
    if (!key && given->root.handle == win32::HKEY_CLASSES_ROOT && splitKeyPath(given->subPath).empty()) {
        // HKEY_CLASSES_ROOT is there even while the key it stands for has been removed.
        snapshot.commit();
        return out + kLineEnd + "[HKEY_CLASSES_ROOT]" + kLineEnd + kLineEnd;
    }
    if (!key) throw RegFileError("key not found: " + keyPath);
    writeKey(*key, shownPath(*key, given->root.handle == win32::HKEY_CLASSES_ROOT), out);
    snapshot.commit();
    out += kLineEnd;
    return out;
}

std::string RegFileExporter::shownPath(KeyId key, bool asClassesRoot) {
    std::string path = database_.displayPath(key);
    if (!asClassesRoot) return path;
    // Keys asked for through HKEY_CLASSES_ROOT are written under that name, as they
    // were named.
    const auto classes = database_.findKey(kClassesKeyPath);
    const std::size_t shared = classes ? database_.displayPath(*classes).size() : 0;
    return "HKEY_CLASSES_ROOT" + path.substr(std::min(shared, path.size()));
}

void RegFileExporter::writeKey(KeyId key, const std::string& displayPath, std::string& out) {
    requireOneLineName(displayPath, "the key");
    out += kLineEnd;
    out += "[" + displayPath + "]";
    out += kLineEnd;
    for (const auto& value : database_.values(key)) {
        requireOneLineName(value.name, "the value name in " + displayPath + ",");
        writeValue(value, out);
    }
    for (const auto& subkey : database_.subkeys(key)) {
        writeKey(subkey.id, displayPath + '\\' + subkey.name, out);
    }
}

void RegFileExporter::writeValue(const StoredValue& value, std::string& out) const {
    std::string line = value.name.empty() ? "@=" : quotedRegText(value.name) + "=";
    if (value.type == win32::REG_SZ && writableAsText(value.data)) {
        line += quotedRegText(value.data.substr(0, value.data.size() - 1));
    } else if (value.type == win32::REG_DWORD && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) {
            number =
                number << 8 | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        }
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", number);
        line += text;
    } else if (value.type == win32::REG_BINARY) {
        line = hexList(line + "hex:", value.data);
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
        line = hexList(line + prefix, value.data);
    }
    out += line;
    out += kLineEnd;
}

}  // namespace platform::emulated
