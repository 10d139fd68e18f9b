// rmwctl apply / diff: what the main program does with a configuration file named on its
// command line, and what applying that file would change on the machine.

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/logic/main/AddressValidation.h"
#include "app/logic/main/frmMain.h"
#include "config/RmwConfig.h"
#include "config/UnsupportedPlatform.h"
#include "platform/RegistryReadSnapshot.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "config/UndoHistory.h"
#include "tools/rmwctl/ApplyChecks.h"
#include "tools/rmwctl/ApplyFile.h"
#include "tools/rmwctl/MachineCopy.h"
#include "tools/rmwctl/TargetSystem.h"
#include "tools/rmwctl/Verb.h"
#include "tools/rmwctl/WatchedConsole.h"

namespace rmwctl {
namespace {

constexpr const char* kOpenErrorStart = "Error opening file '";
constexpr const char* kNoRestartMessage = "Configuration updated - no restart required.";
constexpr const char* kSaveQuestion = "Save configuration?";
constexpr const char* kRestartDialog = "frmRestart";
constexpr int kAdvancedTab = 3;

// Puts UI in place of the installed user interface for its lifetime.
class ScopedUserInterface {
  public:
    explicit ScopedUserInterface(platform::UserInterface& ui) : scope_(withUi(ui)) {}

  private:
    static platform::Services withUi(platform::UserInterface& ui) {
        platform::Services services = platform::services();
        services.ui = &ui;
        return services;
    }
    platform::ScopedServices scope_;
};

const std::string& fileArgument(const std::vector<std::string>& args, const std::string& verb) {
    if (args.size() != 1 || args[0].empty()) throw UsageError(verb + " takes one file name");
    return args[0];
}

bool isWindowsPath(const std::string& file) {
    const bool driveLetter =
        file.size() >= 2 && file[1] == ':' &&
        ((file[0] >= 'A' && file[0] <= 'Z') || (file[0] >= 'a' && file[0] <= 'z'));
    return driveLetter || file[0] == '\\';
}

// The path the window is given. rmw keeps the path it opened in its recent-file list,
// and a path relative to the folder rmwctl ran in names no file for the next program
// that opens it from there (rmw, the tray utility): such a path is made absolute.
std::string pathToOpen(const std::string& file) {
    if (isWindowsPath(file) || file[0] == '/') return file;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute.lexically_normal().string();
}

// No value in a file is this text; it comes back only for a missing key.
const std::string kMissing("\x01");

std::string fileValue(const std::string& file, const std::string& section, const std::string& key) {
    return win32::GetPrivateProfileStringA(section, key, kMissing, file);
}

// Whether FILE has any of the switches every configuration file begins with.
bool hasEnabledSections(const std::string& file) {
    for (const char* key : {"General", "Internet Explorer", "Netscape Navigator"}) {
        if (fileValue(file, "Enabled Sections", key) != kMissing) return true;
    }
    return false;
}

// The profile functions read a missing file, or a file of another kind, as one without
// any setting: opening it would "succeed" with every group switched off, applying it
// would change nothing and yet record it as the last file applied.
void requireConfigurationFile(const std::string& file, const std::string& shownName) {
    if (!platform::files().fileExists(file)) {
        std::error_code error;
        const bool present = std::filesystem::exists(platform::files().toNative(file), error);
        throw Failure("cannot open '" + shownName +
                      "': " + (present ? "not a file" : "no such file"));
    }
    const std::filesystem::path native = platform::files().toNative(file);
    std::ifstream stream(native, std::ios::binary);
    if (!stream) {
        throw Failure("cannot read '" + shownName + "': " + std::strerror(errno));
    }
    char start[2] = {};
    stream.read(start, sizeof start);
    const std::string_view mark(start, static_cast<std::size_t>(stream.gcount()));
    if (mark == "\xFF\xFE" || mark == "\xFE\xFF") {
        throw Failure("'" + shownName +
                      "' is UTF-16 text; Roamwise configuration files are single-byte (ANSI) "
                      "text: save it again in that encoding");
    }
    if (!hasEnabledSections(file)) {
        throw Failure("'" + shownName +
                      "' is not a Roamwise configuration file: it has no [Enabled Sections] "
                      "(a version-1 file is converted first, with rmwctl convert)");
    }
}

// The main window checks an address when the user leaves its field and takes no more
// than 15 characters for a computer name or workgroup (the NetBIOS limit), so what the user
// types there is valid; a file edited by hand is never typed, and rmw would write a
// mistyped value to the machine as it stands. Address settings hold comma lists (on
// Windows NT an adapter may have several addresses and masks).
void requireValidNetworkSettings(const std::string& file, const std::string& shownName) {
    if (fileValue(file, "Enabled Sections", "General") != "1") return;
    for (const char* key : {"IPAddress", "IPMask", "DefaultGateway", "NameServer"}) {
        const std::string value = fileValue(file, "Network", key);
        if (value == kMissing || isValidIPList(value, ',')) continue;
        throw Failure("'" + shownName + "' holds an address that is not valid: " + key + "=" +
                      value);
    }
    constexpr std::size_t kLongestName = 15;
    for (const char* key : {"ComputerName", "Workgroup"}) {
        const std::string value = fileValue(file, "Network", key);
        if (value == kMissing || value.size() <= kLongestName) continue;
        throw Failure("'" + shownName + "' holds a name longer than 15 characters: " + key + "=" +
                      value);
    }
}

// The restart dialog of the console: the user restarts later, by hand. The choice is
// not made the default, so the stored restart choice stays as it is.
void answerRestartManually(platform::ConsoleUserInterface& console) {
    console.answerDialog(kRestartDialog, [](forms::Form& dialog) {
        dialog.control<forms::OptionButton>("optManual").click();
        dialog.control<forms::CommandButton>("cmdOK").click();
    });
}

// The program's command line drops double quotes, so a path holding one would name
// another file; such a path is opened directly instead, which is the step the start-up
// takes for the file it finds on its command line.
bool survivesCommandLine(const std::string& file) {
    return file.find('"') == std::string::npos;
}

bool applyFinished(const frmMain& window, const WatchedConsole& console) {
    return window.programEnded() || console.showedMessage(kNoRestartMessage) ||
           console.showedDialog(kRestartDialog);
}

// Starts rmw's main window with FILE, applies it unless it applied itself, and closes the
// window as the user does when done (it keeps the recent-file list as rmw does). CONSOLE
// is the installed user interface. Returns whether the apply ran to its end.
bool openAndApply(const std::string& file, const std::string& shownName,
                  const WatchedConsole& console) {
    const bool viaCommandLine = survivesCommandLine(file);
    frmMain window(viaCommandLine ? file : std::string());
    window.Load();
    if (!viaCommandLine) window.openConfigurationFile(file);
    if (console.showedMessageStartingWith(kOpenErrorStart)) {
        throw Failure("cannot open '" + shownName + "'");
    }
    if (!window.programEnded() && !window.document().AutoApply()) window.mnuFileApply_Click();
    const bool finished = applyFinished(window, console);
    if (!window.programEnded()) window.close();
    return finished;
}

// The console's user interface for applying: the restart is left to the user, and the
// file is never written: applying is not saving, whatever closing the window asks.
class ApplyConsole : public WatchedConsole {
  public:
    explicit ApplyConsole(platform::ConsoleUserInterface& console) : WatchedConsole(console) {
        answerRestartManually(console);
    }
    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override {
        const platform::MsgBoxResult answer =
            WatchedConsole::messageBox(text, buttons, icon, caption);
        return text == kSaveQuestion ? platform::MsgBoxResult::No : answer;
    }
};

platform::ConsoleUserInterface& installedConsole() {
    auto* console = dynamic_cast<platform::ConsoleUserInterface*>(&platform::ui());
    if (console == nullptr) throw Failure("rmwctl runs without its console");
    return *console;
}

// Warns of the sections FILE switches on but lacks; true when there are any.
bool warnOfMissingSections(const std::string& file, const std::string& shownName,
                           std::ostream& err) {
    const std::vector<std::string> missing = missingSections(file);
    for (const std::string& section : missing) {
        err << "rmwctl: warning: '" << shownName << "' switches on the group of " << section
            << " but has no such section; its settings stay as the machine has them\n";
    }
    return !missing.empty();
}

// A file that sets Navigator's proxies on a machine whose Navigator preferences cannot be
// found would be applied without them and still end as if all of it had been.
void requireNavigatorPreferences(const std::string& file, const std::string& shownName) {
    if (fileValue(file, "Enabled Sections", "Netscape Navigator") != "1") return;
    for (const std::string& section : missingSections(file)) {
        if (section == "[Netscape Navigator]") return;  // nothing of Navigator to apply
    }
    std::ostringstream unseen;
    platform::ConsoleUserInterface quiet(unseen);
    WatchedConsole watched(quiet);
    const ScopedUserInterface scope(watched);
    // Only the Navigator backend is made: reading the whole machine's configuration here
    // would double the work of an apply.
    // Navigator is installed, but its backend warned of the missing file and stepped back.
    if (!RmwConfig::navigatorBackend() && watched.showedDialog("frmNetscape")) {
        throw Failure("'" + shownName +
                      "' sets Navigator's proxies, but Navigator's preference file cannot be "
                      "found (switch the Navigator group off to apply the rest); nothing was "
                      "applied");
    }
}

}  // namespace

void applyFile(const ApplyOptions& options, Io io) {
    const std::string& shownName = options.file;
    TargetSystem& system = usedSystem(io);
    const std::string file = pathToOpen(shownName);
    requireConfigurationFile(file, shownName);
    requireValidNetworkSettings(file, shownName);
    requireApplicableValues(file, shownName, system.isNT());
    if (warnOfMissingSections(file, shownName, io.err) && !options.force) {
        throw Failure("'" + shownName +
                      "' was not applied because of the missing section (use --force to apply "
                      "what it holds); nothing was changed");
    }
    // One apply at a time on the machine, from reading its settings to the last write:
    // settings are written where they differ from what was read, so two applies that
    // both read before either wrote would leave a mix of both files.
    if (!system.acquireApplyLock(options.waitSeconds)) {
        std::ostringstream waited;
        waited << options.waitSeconds;
        throw Failure("another program is applying a configuration to this machine; gave up "
                      "after waiting " + waited.str() + " seconds; '" + shownName +
                      "' was not applied");
    }
    const ApplyLockHold hold(system);
    // What is read of the machine up to the apply's own transaction is one state of it.
    const platform::RegistryReadSnapshot snapshot(platform::registry());
    requireNavigatorPreferences(file, shownName);
    std::optional<undo::SuppressSnapshots> noSnapshot;
    if (!options.snapshot) noSnapshot.emplace();
    ApplyConsole console(installedConsole());
    const ScopedUserInterface scope(console);

    if (!openAndApply(file, shownName, console)) {
        const std::vector<std::string> errors = console.errors();
        throw Failure("the configuration in '" + shownName + "' was not applied" +
                      (errors.empty() ? std::string() : ": " + errors.front()));
    }
    // Some backends tell of a setting they could not write and carry on; the apply then
    // ends as if all went well, which a script must not take for success.
    if (!console.errors().empty()) {
        throw Failure("applying '" + shownName + "' reported an error (see the messages above)");
    }
}

namespace {

double secondsArgument(const std::string& option, const std::string& value) {
    char* end = nullptr;
    const double seconds = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !(seconds >= 0)) {
        throw UsageError(option + " takes a number of seconds");
    }
    return seconds;
}

ApplyOptions applyOptions(const std::vector<std::string>& args) {
    ApplyOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
            options.force = true;
        } else if ((args[i] == "--wait" || args[i] == "--revert-after") && i + 1 < args.size()) {
            const double seconds = secondsArgument(args[i], args[i + 1]);
            (args[i] == "--wait" ? options.waitSeconds : options.revertAfter) = seconds;
            ++i;
        } else if (options.file.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            options.file = args[i];
        } else {
            throw UsageError(
                "apply takes one file name and the options --force, --wait and --revert-after");
        }
    }
    if (options.file.empty()) throw UsageError("apply takes one file name");
    return options;
}

// ---- diff ---------------------------------------------------------------------------

// One bound control of the window: its tab, its setting and what it showed.
struct ShownSetting {
    int tab;
    std::string property;
    bool needsRestart;
    std::string value;
};

std::vector<ShownSetting> shownSettings(const frmMain& window) {
    const std::vector<Binding> byTab[] = {window.general.bindings(), window.explorer.bindings(),
                                          window.navigator.bindings(), window.advanced.bindings()};
    std::vector<ShownSetting> settings;
    for (int tab = 0; tab <= kAdvancedTab; ++tab) {
        for (const Binding& binding : byTab[tab]) {
            settings.push_back({tab, binding.property, binding.mode == kUnsavedChangeNeedingRestart,
                                controlValue(*binding.control)});
        }
    }
    return settings;
}

// The settings of the machine whose services are installed, as the main window shows them
// with ADAPTER chosen in its adapter list (as the user chooses one to see its settings).
std::vector<ShownSetting> machineSettings(int adapter) {
    frmMain window;
    window.Load();
    forms::ComboBox& adapters = window.general.cmbNIC;
    if (window.general.adaptersPresent() && adapter >= 0 && adapter < adapters.ListCount()) {
        adapters.ListIndex(adapter);
    }
    return shownSettings(window);
}

// What the file sets up: the main window's settings once FILE is open in it, and the
// adapter the file chose.
struct OpenedFile {
    std::vector<ShownSetting> before;
    std::vector<ShownSetting> opened;
    int adapter = 0;
    std::vector<std::string> adapters;  // empty when the machine has none
    std::vector<std::string> tabCaptions;
};

OpenedFile openInWindow(const std::string& file, const std::string& shownName) {
    // The window is never closed: closing would store the recent-file list.
    frmMain window;
    window.Load();
    OpenedFile result;
    result.before = shownSettings(window);
    if (!window.showConfigurationFile(file)) throw Failure("cannot open '" + shownName + "'");
    result.opened = shownSettings(window);
    result.adapter = window.general.cmbNIC.ListIndex();
    if (window.general.adaptersPresent()) result.adapters = window.general.cmbNIC.items();
    for (int tab = 0; tab <= kAdvancedTab; ++tab) {
        result.tabCaptions.push_back(window.tabSettings.tab(tab).Caption());
    }
    return result;
}

// The machine's settings after applying FILE, learnt by applying it to a copy of the
// machine exactly as the apply verb does: which values the window writes, which the
// backends store in another form (an empty Navigator port as 0, WINS servers of a
// network without WINS as nothing), which they leave alone (a printer that is not
// installed, the workgroup and logon on Windows NT). Errors that applying would report
// are told on ERR.
std::vector<ShownSetting> settingsAfterApplying(const std::string& file,
                                                const std::string& shownName, int adapter,
                                                std::ostream& err) {
    MachineCopy copy;
    std::ostringstream unseen;
    platform::ConsoleUserInterface quiet(unseen);
    ApplyConsole console(quiet);
    platform::Services services = copy.services();
    services.ui = &console;
    const platform::ScopedServices scope(services);

    if (!openAndApply(file, shownName, console)) {
        err << "rmwctl: applying '" << shownName << "' would not finish\n";
    }
    for (const std::string& error : console.errors()) {
        err << "rmwctl: applying '" << shownName << "' would report: " << error << "\n";
    }
    return machineSettings(adapter);
}

// A value as one column: the characters that would break the line into other columns or
// lines are written as escapes.
std::string column(const std::string& value) {
    std::string text;
    for (char c : value) {
        if (c == '\t') {
            text += "\\t";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else {
            text += c;
        }
    }
    return text;
}

void printDifference(const OpenedFile& opened, const ShownSetting& before, const std::string& after,
                     std::ostream& out) {
    out << opened.tabCaptions[static_cast<std::size_t>(before.tab)] << "\t" << before.property
        << "\t" << column(before.value) << "\t" << column(after) << "\t"
        << (before.needsRestart ? "restart" : "") << "\n";
}

// Which adapter the file's address settings go to. A file saved for an adapter this
// machine lacks is applied to adapter 0, which may be another kind of adapter entirely
// (the dial-up adapter of a laptop): the user is warned.
void printTargetAdapter(const std::string& file, const OpenedFile& opened, std::ostream& err) {
    if (fileValue(file, "Enabled Sections", "General") != "1" || opened.adapters.empty()) return;
    const auto index = static_cast<std::size_t>(opened.adapter);
    const std::string target = index < opened.adapters.size() ? opened.adapters[index] : "";
    const std::string named = fileValue(file, "Network", "Adapter");
    const bool installed = named == kMissing || named.empty() ||
                           std::find(opened.adapters.begin(), opened.adapters.end(), named) !=
                               opened.adapters.end();
    if (!installed) {
        err << "rmwctl: warning: the file's adapter '" << named
            << "' is not installed; its address settings go to adapter " << index << " ("
            << target << ") instead\n";
    } else {
        err << "rmwctl: address settings go to adapter " << index << " (" << target << ")\n";
    }
}

void printDifferences(const std::string& shownName, Io io) {
    useMachine(io);
    const std::string file = pathToOpen(shownName);
    requireConfigurationFile(file, shownName);
    requireValidNetworkSettings(file, shownName);
    requireApplicableValues(file, shownName, usedSystem(io).isNT());
    warnOfMissingSections(file, shownName, io.err);
    const OpenedFile opened = openInWindow(file, shownName);
    printTargetAdapter(file, opened, io.err);
    const std::vector<ShownSetting> now = machineSettings(opened.adapter);
    const std::vector<ShownSetting> applied =
        settingsAfterApplying(file, shownName, opened.adapter, io.err);

    // The machine's settings, as applying changes them.
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i].tab == kAdvancedTab || now[i].value == applied[i].value) continue;
        printDifference(opened, now[i], applied[i].value, io.out);
    }
    // The file's own switches and comment, which the current configuration does not have.
    for (std::size_t i = 0; i < opened.before.size(); ++i) {
        const ShownSetting& before = opened.before[i];
        if (before.tab != kAdvancedTab || before.value == opened.opened[i].value) continue;
        printDifference(opened, before, opened.opened[i].value, io.out);
    }
}

int applyVerb(const std::vector<std::string>& args, Io io) {
    const ApplyOptions options = applyOptions(args);
    try {
        applyFile(options, io);
        if (options.revertAfter >= 0) scheduleRevert(options.revertAfter, io);
    } catch (const UnsupportedPlatform&) {
        return 1;  // the window has said so already
    }
    return 0;
}

int diffVerb(const std::vector<std::string>& args, Io io) {
    const std::string& file = fileArgument(args, "diff");
    try {
        printDifferences(file, io);
    } catch (const UnsupportedPlatform&) {
        return 1;
    }
    return 0;
}

const VerbRegistration applyRegistration(
    "apply",
    "apply FILE [--force] [--wait S] [--revert-after S]\n"
    "                                  open FILE and apply it, as rmw started with FILE\n"
    "                                  does when the user confirms Apply; where rmw would\n"
    "                                  ask how to restart, the restart is left to the user\n"
    "                                  (Manual); a file set to restart by itself carries\n"
    "                                  out the stored restart choice. FILE is never\n"
    "                                  written. Exit 1, with nothing applied, when FILE\n"
    "                                  cannot be opened, is no configuration file, or holds\n"
    "                                  an address that is not valid or a computer name or\n"
    "                                  workgroup of more than 15 characters. Exit 1 also\n"
    "                                  when it was not applied or an error was reported.\n"
    "                                  The apply is all or nothing: every value is checked\n"
    "                                  first (addresses, one address per adapter on Windows\n"
    "                                  95/98, Navigator ports), and registry, win.ini and\n"
    "                                  prefs.js change together or not at all (a file that\n"
    "                                  cannot be written refuses the whole apply). A key\n"
    "                                  missing from FILE leaves that setting as it is; a\n"
    "                                  switched-on group whose section is missing is warned\n"
    "                                  of and refused unless --force. One apply runs at a\n"
    "                                  time on a machine: another waits up to S seconds\n"
    "                                  (--wait, default 60), then gives up with exit 1.\n"
    "                                  Each apply keeps the configuration before it (see\n"
    "                                  history and undo). --revert-after S: undo this apply\n"
    "                                  by itself after S seconds unless rmwctl confirm is\n"
    "                                  run in time (for switching a remote machine's\n"
    "                                  network over that network)",
    applyVerb);

const VerbRegistration diffRegistration(
    "diff",
    "diff FILE                         print what applying FILE would change, one line\n"
    "                                  per setting and five tab-separated columns: group,\n"
    "                                  setting, current value, value once FILE is applied\n"
    "                                  (for the Advanced group: the file's value), and\n"
    "                                  \"restart\" when the change needs a restart (else\n"
    "                                  empty); tabs and line breaks in values are written\n"
    "                                  \\t, \\r, \\n. FILE is tried out on a copy of the\n"
    "                                  machine; the machine itself is not touched.\n"
    "                                  Nothing differs: no output. Standard error names\n"
    "                                  the adapter the address settings go to, with a\n"
    "                                  warning when FILE's adapter is not installed and\n"
    "                                  adapter 0 takes them. Exit 1 for a FILE that\n"
    "                                  apply refuses",
    diffVerb);

}  // namespace
}  // namespace rmwctl
