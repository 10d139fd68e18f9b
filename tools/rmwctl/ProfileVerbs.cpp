// rmwctl profile: reads and edits profile-string (.INI-style) files such as .RMW
// configuration files, with the same functions Roamwise itself uses.

#include <filesystem>
#include <optional>
#include <system_error>
#include <tuple>

#include "platform/Services.h"
#include "platform/Win32.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// No value read from a file can hold a line break, so this default marks a missing key.
const std::string kMissing = "\n";

int getValue(const std::vector<std::string>& args, Io io) {
    if (args.size() != 3) throw UsageError("profile get takes FILE SECTION KEY");
    const auto& [file, section, key] = std::tie(args[0], args[1], args[2]);
    useMachine(io);
    const std::string value = win32::GetPrivateProfileStringA(section, key, kMissing, file);
    // The profile functions answer a missing file like a missing key; the user is told
    // which it is.
    if (value == kMissing && !platform::files().fileExists(file)) {
        std::error_code error;
        const bool present = std::filesystem::exists(platform::files().toNative(file), error);
        throw Failure("cannot read " + file + ": " + (present ? "not a file" : "no such file"));
    }
    if (value == kMissing) {
        throw Failure("no key '" + key + "' in section [" + section + "] of " + file);
    }
    io.out << value << "\n";
    return 0;
}

int setValue(const std::vector<std::string>& args, Io io) {
    if (args.size() != 3 && args.size() != 4) {
        throw UsageError("profile set takes FILE SECTION KEY [VALUE]");
    }
    const auto& [file, section, key] = std::tie(args[0], args[1], args[2]);
    const std::optional<std::string> value =
        args.size() == 4 ? std::optional<std::string>(args[3]) : std::nullopt;
    useMachine(io);
    if (!win32::WritePrivateProfileStringA(section, key, value, file)) {
        throw Failure("cannot write key '" + key + "' to " + file);
    }
    return 0;
}

int profileVerb(const std::vector<std::string>& args, Io io) {
    if (args.empty()) throw UsageError("profile needs get or set");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "get") return getValue(rest, io);
    if (args[0] == "set") return setValue(rest, io);
    throw UsageError("unknown profile command '" + args[0] + "'");
}

const VerbRegistration registration(
    "profile",
    "profile get FILE SECTION KEY            print a value of a profile file such as a .RMW\n"
    "                                        file (exit 1 when missing)\n"
    "profile set FILE SECTION KEY [VALUE]    write a value; without VALUE delete the key\n"
    "                                        (FILE: a native path or a machine path like C:\\...)",
    profileVerb);

}  // namespace
}  // namespace rmwctl
