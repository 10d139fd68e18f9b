// rmwctl reg: queries, changes, imports and exports the machine's registry, laid out as
// Windows' reg.exe does.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "platform/NativeFileRules.h"
#include "platform/Services.h"
#include "platform/emulated/RegistryNames.h"
#include "tools/rmwctl/Verb.h"
#ifndef _WIN32
#include "platform/emulated/AtomicFile.h"
#include "platform/emulated/Machine.h"
#include "platform/emulated/RegFileExporter.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/SqliteRegistry.h"
#endif

namespace rmwctl {
namespace {

using namespace platform::emulated;
using win32::DWORD;
using win32::HKEY;

// The options after a reg command: positional words and --value/--type/--data.
struct RegArguments {
    std::vector<std::string> words;
    std::optional<std::string> value;
    std::optional<std::string> type;
    std::optional<std::string> data;
};

RegArguments parseArguments(const std::vector<std::string>& args) {
    RegArguments parsed;
    const std::map<std::string, std::optional<std::string> RegArguments::*> options = {
        {"--value", &RegArguments::value},
        {"--type", &RegArguments::type},
        {"--data", &RegArguments::data}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto option = options.find(args[i]);
        if (option != options.end()) {
            if (++i == args.size()) throw UsageError(option->first + " needs an argument");
            // A script that says it twice has a mistake in it; neither one is guessed.
            if (parsed.*(option->second)) throw UsageError(option->first + " is given twice");
            parsed.*(option->second) = args[i];
        } else if (args[i].size() > 2 && args[i].rfind("--", 0) == 0) {
            throw UsageError("unknown option '" + args[i] + "'");
        } else {
            parsed.words.push_back(args[i]);
        }
    }
    return parsed;
}

// KEY as given on the command line: a root name (full or short) and the path below it.
struct KeyName {
    RegistryRoot root;
    std::string subPath;
    std::string display() const {
        return subPath.empty() ? std::string(root.name) : root.name + ("\\" + subPath);
    }
};

KeyName parseKey(const std::string& text) {
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
    auto rooted = splitRootedPath(trimmed);
    if (!rooted)
        throw UsageError("'" + text +
                         "' does not begin with a root key such as HKEY_LOCAL_MACHINE");
    return {rooted->root, rooted->subPath};
}

// The registry of the machine the verbs work on.
platform::Registry& machineRegistry(Io io) {
    useMachine(io);
    return platform::registry();
}

void require(bool condition, const std::string& usage) {
    if (!condition) throw UsageError(usage);
}

// An open key, closed with the object.
class OpenedKey {
  public:
    OpenedKey(platform::Registry& registry, const KeyName& key, win32::REGSAM access)
        : registry_(registry) {
        win32::LONG result =
            registry.RegOpenKeyExA(key.root.handle, key.subPath.c_str(), 0, access, &handle_);
        if (result == win32::ERROR_FILE_NOT_FOUND) {
            throw Failure("the key " + key.display() + " does not exist");
        }
        if (result != win32::ERROR_SUCCESS) {
            throw Failure("cannot open " + key.display() + " (error " + std::to_string(result) +
                          ")");
        }
    }
    ~OpenedKey() { registry_.RegCloseKey(handle_); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY handle() const { return handle_; }

  private:
    platform::Registry& registry_;
    HKEY handle_ = 0;
};

std::string typeName(DWORD type) {
    static const char* const names[] = {"REG_NONE",
                                        "REG_SZ",
                                        "REG_EXPAND_SZ",
                                        "REG_BINARY",
                                        "REG_DWORD",
                                        "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",
                                        "REG_MULTI_SZ",
                                        "REG_RESOURCE_LIST",
                                        "REG_FULL_RESOURCE_DESCRIPTOR",
                                        "REG_RESOURCE_REQUIREMENTS_LIST",
                                        "REG_QWORD"};
    if (type < std::size(names)) return names[type];
    char number[16];
    std::snprintf(number, sizeof number, "0x%x", static_cast<unsigned>(type));
    return number;
}

std::string upperHex(const std::string& data) {
    std::string text;
    char byte[3];
    for (unsigned char c : data) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        text += byte;
    }
    return text;
}

std::string withoutFinalNul(std::string data) {
    if (!data.empty() && data.back() == '\0') data.pop_back();
    return data;
}

// The data as reg.exe shows it.
std::string shownData(DWORD type, const std::string& data) {
    switch (type) {
        case win32::REG_SZ:
        case win32::REG_EXPAND_SZ:
            return withoutFinalNul(data).c_str();
        case win32::REG_DWORD:
        case 11: {
            if (data.size() != (type == 11 ? 8u : 4u)) break;
            unsigned long long number = 0;
            for (std::size_t i = data.size(); i-- > 0;) {
                number = number << 8 | static_cast<unsigned char>(data[i]);
            }
            char text[24];
            std::snprintf(text, sizeof text, "0x%llx", number);
            return text;
        }
        case win32::REG_MULTI_SZ: {
            std::string text;
            std::string rest = data;
            while (!rest.empty() && rest.back() == '\0') rest.pop_back();
            for (char c : rest) text += c == '\0' ? std::string("\\0") : std::string(1, c);
            return text;
        }
        default:
            break;
    }
    return upperHex(data);
}

void printValue(Io io, const std::string& name, DWORD type, const std::string& data) {
    io.out << "    " << (name.empty() ? "(Default)" : name) << "    " << typeName(type) << "    "
           << shownData(type, data) << "\n";
}

void failOn(win32::LONG result, const std::string& what) {
    if (result == win32::ERROR_SUCCESS) return;
    throw Failure("cannot " + what + " (error " + std::to_string(result) + ")");
}

struct ValueRead {
    std::string name;
    DWORD type = 0;
    std::string data;
};

// Sizes the buffers start from; a name or value that has grown since they were
// measured (another process may be writing) is read again with room for it.
struct LongestEntries {
    DWORD subkeyName = 0;
    DWORD valueName = 0;
    DWORD valueData = 0;
};

LongestEntries measure(platform::Registry& registry, HKEY key) {
    LongestEntries longest;
    failOn(registry.RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest.subkeyName,
                                     nullptr, nullptr, &longest.valueName, &longest.valueData,
                                     nullptr, nullptr),
           "read the key");
    return longest;
}

// The value at INDEX; nothing after the last one.
std::optional<ValueRead> readValue(platform::Registry& registry, HKEY key, DWORD index,
                                   LongestEntries& room) {
    for (;;) {
        std::string name(room.valueName + 1, '\0');
        std::string data(room.valueData + 1, '\0');
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const win32::LONG result =
            registry.RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                   reinterpret_cast<win32::BYTE*>(data.data()), &dataLength);
        if (result == win32::ERROR_NO_MORE_ITEMS) return std::nullopt;
        if (result == win32::ERROR_MORE_DATA) {
            room = measure(registry, key);
            room.valueName = (std::max(room.valueName, nameLength) + 1) * 2;
            room.valueData = (std::max(room.valueData, dataLength) + 1) * 2;
            continue;
        }
        failOn(result, "read the values");
        return ValueRead{name.substr(0, nameLength), type, data.substr(0, dataLength)};
    }
}

std::vector<ValueRead> readValues(platform::Registry& registry, HKEY key) {
    LongestEntries room = measure(registry, key);
    std::vector<ValueRead> values;
    for (DWORD index = 0;; ++index) {
        auto value = readValue(registry, key, index, room);
        if (!value) return values;
        values.push_back(std::move(*value));
    }
}

std::vector<std::string> readSubkeys(platform::Registry& registry, HKEY key) {
    DWORD room = measure(registry, key).subkeyName + 1;
    std::vector<std::string> names;
    for (DWORD index = 0;;) {
        std::string name(room, '\0');
        DWORD length = room;
        const win32::LONG result = registry.RegEnumKeyExA(key, index, name.data(), &length,
                                                          nullptr, nullptr, nullptr, nullptr);
        if (result == win32::ERROR_NO_MORE_ITEMS) return names;
        if (result == win32::ERROR_MORE_DATA) {
            room *= 2;
            continue;
        }
        failOn(result, "read the subkeys");
        names.push_back(name.substr(0, length));
        ++index;
    }
}

int query(const RegArguments& args, Io io) {
    require(args.words.size() == 1 && !args.type && !args.data,
            "reg query takes KEY [--value NAME]");
    KeyName keyName = parseKey(args.words[0]);
    platform::Registry& registry = machineRegistry(io);
    OpenedKey key(registry, keyName, win32::KEY_READ);
    if (args.value) {
        DWORD type = 0, size = 0;
        const char* name = args.value->c_str();
        std::string data;
        win32::LONG result = win32::ERROR_MORE_DATA;
        // Another process may make the value longer between asking its size and reading.
        while (result == win32::ERROR_MORE_DATA) {
            data.assign(size, '\0');
            result = registry.RegQueryValueExA(key.handle(), name, nullptr, &type,
                                               reinterpret_cast<win32::BYTE*>(data.data()), &size);
        }
        if (result == win32::ERROR_FILE_NOT_FOUND) {
            throw Failure("the value '" + *args.value + "' does not exist in " + keyName.display());
        }
        failOn(result, "read the value '" + *args.value + "'");
        io.out << keyName.display() << "\n";
        printValue(io, *args.value, type, data.substr(0, size));
        io.out << "\n";
        return 0;
    }
    // As reg.exe does: the key's own line and the blank line closing its values appear
    // only when it has values; its subkeys follow them, or start the output.
    const auto values = readValues(registry, key.handle());
    if (!values.empty()) {
        io.out << keyName.display() << "\n";
        for (const auto& value : values) printValue(io, value.name, value.type, value.data);
        io.out << "\n";
    }
    for (const auto& subkey : readSubkeys(registry, key.handle())) {
        io.out << keyName.display() << "\\" << subkey << "\n";
    }
    return 0;
}

std::optional<DWORD> parseType(const std::string& name) {
    for (DWORD type : {win32::REG_SZ, win32::REG_EXPAND_SZ, win32::REG_BINARY, win32::REG_DWORD,
                       win32::REG_MULTI_SZ}) {
        if (foldName(name) == typeName(type)) return type;
    }
    return std::nullopt;
}

std::string binaryData(const std::string& hex) {
    if (hex.size() % 2 != 0) throw UsageError("REG_BINARY data needs pairs of hex digits");
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        if (hex.find_first_not_of("0123456789abcdefABCDEF", i) < i + 2 ||
            std::sscanf(hex.c_str() + i, "%2x", &value) != 1) {
            throw UsageError("'" + hex + "' is not hex digits");
        }
        bytes += static_cast<char>(value);
    }
    return bytes;
}

std::string dwordData(const std::string& text) {
    bool hex = text.size() > 2 && (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0);
    std::string digits = hex ? text.substr(2) : text;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos) {
        throw UsageError("'" + text + "' is not a decimal or 0x number");
    }
    // Leading zeros add nothing; more digits than a DWORD holds cannot fit.
    const std::size_t significant = std::min(digits.find_first_not_of('0'), digits.size() - 1);
    digits.erase(0, significant);
    const unsigned long long number =
        digits.size() > (hex ? 8u : 10u) ? ~0ull : std::stoull(digits, nullptr, hex ? 16 : 10);
    if (number > 0xFFFFFFFFull) throw UsageError("'" + text + "' does not fit in a REG_DWORD");
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

std::string multiStringData(const std::string& text) {
    std::string bytes;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t separator = text.find("\\0", start);
        if (separator == std::string::npos) separator = text.size();
        bytes += text.substr(start, separator - start) + '\0';
        start = separator + 2;
    }
    return bytes + '\0';
}

std::string encodedData(DWORD type, const std::string& text) {
    switch (type) {
        case win32::REG_BINARY:
            return binaryData(text);
        case win32::REG_DWORD:
            return dwordData(text);
        case win32::REG_MULTI_SZ:
            return multiStringData(text);
        default:
            return text + '\0';
    }
}

int add(const RegArguments& args, Io io) {
    require(args.words.size() == 1, "reg add takes KEY [--value NAME --type TYPE --data DATA]");
    require(args.value || (!args.type && !args.data), "--type and --data need --value");
    KeyName keyName = parseKey(args.words[0]);
    DWORD type = win32::REG_SZ;
    if (args.type) {
        auto parsed = parseType(*args.type);
        if (!parsed) throw UsageError("unknown type '" + *args.type + "'");
        type = *parsed;
    }
    if (type == win32::REG_DWORD && !args.data) throw UsageError("REG_DWORD needs --data");
    std::string data = args.value ? encodedData(type, args.data.value_or("")) : std::string();
    platform::Registry& registry = machineRegistry(io);
    HKEY key = 0;
    failOn(registry.RegCreateKeyExA(keyName.root.handle, keyName.subPath.c_str(), 0, "",
                                    win32::REG_OPTION_NON_VOLATILE, win32::KEY_ALL_ACCESS, nullptr,
                                    &key, nullptr),
           "create " + keyName.display());
    win32::LONG result = win32::ERROR_SUCCESS;
    if (args.value) {
        result = registry.RegSetValueExA(key, args.value->c_str(), 0, type,
                                         reinterpret_cast<const win32::BYTE*>(data.data()),
                                         static_cast<DWORD>(data.size()));
    }
    registry.RegCloseKey(key);
    failOn(result, "write the value '" + args.value.value_or("") + "'");
    return 0;
}

// Removes NAME below KEY with everything under it, deepest keys first, so it works
// on NT too, where a key with subkeys cannot be deleted.
win32::LONG deleteTree(platform::Registry& registry, HKEY parent, const std::string& name) {
    HKEY key = 0;
    win32::LONG result =
        registry.RegOpenKeyExA(parent, name.c_str(), 0, win32::KEY_ALL_ACCESS, &key);
    if (result != win32::ERROR_SUCCESS) return result;
    for (const auto& subkey : readSubkeys(registry, key)) {
        result = deleteTree(registry, key, subkey);
        if (result != win32::ERROR_SUCCESS) break;
    }
    registry.RegCloseKey(key);
    return result == win32::ERROR_SUCCESS ? registry.RegDeleteKeyA(parent, name.c_str()) : result;
}

int remove(const RegArguments& args, Io io) {
    require(args.words.size() == 1 && !args.type && !args.data,
            "reg delete takes KEY [--value NAME]");
    KeyName keyName = parseKey(args.words[0]);
    platform::Registry& registry = machineRegistry(io);
    if (args.value) {
        OpenedKey key(registry, keyName, win32::KEY_ALL_ACCESS);
        win32::LONG result = registry.RegDeleteValueA(key.handle(), args.value->c_str());
        if (result == win32::ERROR_FILE_NOT_FOUND) {
            throw Failure("the value '" + *args.value + "' does not exist in " + keyName.display());
        }
        failOn(result, "delete the value '" + *args.value + "'");
        return 0;
    }
    if (keyName.subPath.empty()) throw UsageError("a root key cannot be deleted");
    win32::LONG result = deleteTree(registry, keyName.root.handle, keyName.subPath);
    if (result == win32::ERROR_FILE_NOT_FOUND) {
        throw Failure("the key " + keyName.display() + " does not exist");
    }
    failOn(result, "delete " + keyName.display());
    return 0;
}

#ifdef _WIN32
// Registry files are read and written by the emulated machine's registry; Windows has
// its own tool for them.
int importFile(const RegArguments&, Io) {
    throw Failure("reg import is for the emulated machine; on Windows use regedit /s FILE.reg");
}
int exportKey(const RegArguments&, Io) {
    throw Failure("reg export is for the emulated machine; on Windows use regedit /e FILE.reg KEY");
}
#else
std::unique_ptr<Machine> openMachine() {
    try {
        return Machine::openDefault();
    } catch (const MachineError& error) {
        throw Failure(error.what());
    }
}

int importFile(const RegArguments& args, Io) {
    require(args.words.size() == 1 && !args.value && !args.type && !args.data,
            "reg import takes FILE.reg");
    auto machine = openMachine();
    try {
        RegFileImporter(machine->registry().database()).importFile(args.words[0]);
    } catch (const RegFileError& error) {
        throw Failure(error.what());
    }
    return 0;
}

// Writes TEXT to the file NAME. A file is replaced whole, so that a full disk or a
// killed process leaves an earlier export as it was; a device or pipe (/dev/stdout) is
// written into.
void writeExport(const std::string& name, const std::string& text) {
    // A file without write permission is read-only here as on Windows, even for the
    // superuser, whom opening it for writing would not stop.
    const std::filesystem::path target = platform::writeTargetOf(name);
    if (platform::isReadOnlyFile(target)) {
        throw Failure("cannot write " + name + ": the file is read-only");
    }
    bool written = false;
    if (platform::isSpecialFile(name)) {
        std::ofstream file(name, std::ios::binary);
        file << text;
        file.close();
        written = !file.fail();
    } else {
        written = replaceFileContents(target, text);
    }
    if (!written) throw Failure("cannot write " + name);
}

int exportKey(const RegArguments& args, Io io) {
    require(
        !args.words.empty() && args.words.size() <= 2 && !args.value && !args.type && !args.data,
        "reg export takes KEY [FILE.reg]");
    KeyName keyName = parseKey(args.words[0]);
    auto machine = openMachine();
    std::string text;
    try {
        text = RegFileExporter(machine->registry().database()).exportKey(keyName.display());
    } catch (const RegFileError& error) {
        throw Failure(error.what());
    }
    if (args.words.size() == 1) {
        io.out << text;
        return 0;
    }
    writeExport(args.words[1], text);
    return 0;
}
#endif

int regVerb(const std::vector<std::string>& args, Io io) {
    if (args.empty()) throw UsageError("reg needs query, add, delete, import or export");
    RegArguments rest = parseArguments({args.begin() + 1, args.end()});
    if (args[0] == "query") return query(rest, io);
    if (args[0] == "add") return add(rest, io);
    if (args[0] == "delete") return remove(rest, io);
    if (args[0] == "import") return importFile(rest, io);
    if (args[0] == "export") return exportKey(rest, io);
    throw UsageError("unknown reg command '" + args[0] + "'");
}

const VerbRegistration registration(
    "reg",
    "reg query KEY [--value NAME]      show a key's values and subkeys, or one value\n"
    "reg add KEY [--value NAME --type REG_SZ|REG_EXPAND_SZ|REG_BINARY|REG_DWORD|REG_MULTI_SZ\n"
    "            --data DATA]          create a key, or write a value (--value \"\" is the\n"
    "                                  default value; REG_BINARY data as hex digits,\n"
    "                                  REG_DWORD decimal or 0x, REG_MULTI_SZ split by \\0)\n"
    "reg delete KEY [--value NAME]     delete a key with everything below it, or a value\n"
    "reg import FILE.reg               apply a registry file (all of it or nothing)\n"
    "reg export KEY [FILE.reg]         write KEY and everything below it as REGEDIT4\n"
    "                                  (to standard output without FILE)\n"
    "KEY is written HKEY_LOCAL_MACHINE\\Software\\X; HKLM, HKCU, HKCR, HKU, HKCC also work.",
    regVerb);

}  // namespace
}  // namespace rmwctl
