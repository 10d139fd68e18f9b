// rmwctl apply / diff: what the main program does with a configuration file named on its
// command line, and what opening that file would change in the main window.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/logic/main/frmMain.h"
#include "config/RmwConfig.h"
#include "config/UnsupportedPlatform.h"
#include "platform/Services.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

constexpr const char* kOpenErrorStart = "Error opening file '";
constexpr const char* kNoRestartMessage = "Configuration updated - no restart required.";
constexpr const char* kRestartDialog = "frmRestart";

// The console with a record of what the window showed on it, so the verb can tell how
// opening and applying ended. Everything is still printed and answered by the console.
class WatchedConsole : public platform::UserInterface {
  public:
    explicit WatchedConsole(platform::UserInterface& console) : console_(console) {}

    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override {
        messages_.push_back({text, icon});
        return console_.messageBox(text, buttons, icon, caption);
    }
    platform::MousePointer mousePointer() const override { return console_.mousePointer(); }
    void mousePointer(platform::MousePointer pointer) override { console_.mousePointer(pointer); }
    void showModal(forms::Form& form) override {
        dialogs_.push_back(form.Name());
        console_.showModal(form);
    }
    void showModeless(forms::Form& form) override { console_.showModeless(form); }
    std::optional<std::string> fileDialog(const platform::FileDialogRequest& request) override {
        return console_.fileDialog(request);
    }

    bool showedMessage(const std::string& text) const {
        return std::any_of(messages_.begin(), messages_.end(),
                           [&](const Message& message) { return message.text == text; });
    }
    bool showedMessageStartingWith(const std::string& start) const {
        return std::any_of(messages_.begin(), messages_.end(), [&](const Message& message) {
            return message.text.compare(0, start.size(), start) == 0;
        });
    }
    // Whether a message told of an error (a settings file that could not be written, a
    // restart that could not be made): the exclamation and critical icons.
    bool showedError() const {
        return std::any_of(messages_.begin(), messages_.end(), [](const Message& message) {
            return message.icon == platform::MsgBoxIcon::Exclamation ||
                   message.icon == platform::MsgBoxIcon::Critical;
        });
    }
    bool showedDialog(const std::string& name) const {
        return std::find(dialogs_.begin(), dialogs_.end(), name) != dialogs_.end();
    }

  private:
    struct Message {
        std::string text;
        platform::MsgBoxIcon icon;
    };
    platform::UserInterface& console_;
    std::vector<Message> messages_;
    std::vector<std::string> dialogs_;
};

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

// The profile functions read a missing file as an empty one: opening it would "succeed"
// with every group switched off and applying it would change nothing, silently.
void requireReadableFile(const std::string& file) {
    if (!platform::files().fileExists(file))
        throw Failure("cannot open '" + file + "': no such file");
}

// The restart dialog of the console: the user restarts later, by hand. The choice is
// not made the default, so the stored restart choice stays as it is.
void answerRestartManually(platform::UserInterface& ui) {
    auto* console = dynamic_cast<platform::ConsoleUserInterface*>(&ui);
    if (console == nullptr) return;
    console->answerDialog(kRestartDialog, [](forms::Form& dialog) {
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

void applyFile(const std::string& file, Io io) {
    useMachine(io);
    requireReadableFile(file);
    answerRestartManually(platform::ui());
    WatchedConsole console(platform::ui());
    const ScopedUserInterface scope(console);

    const bool viaCommandLine = survivesCommandLine(file);
    frmMain window(viaCommandLine ? file : std::string());
    window.Load();
    if (!viaCommandLine) window.openConfigurationFile(file);
    if (console.showedMessageStartingWith(kOpenErrorStart)) {
        throw Failure("cannot open '" + file + "'");
    }
    // A file that applies itself has done so while it was opened.
    if (!window.programEnded() && !window.document().AutoApply()) window.mnuFileApply_Click();
    const bool finished = applyFinished(window, console);
    // The user closes the window when done; it keeps the recent-file list as rmw does.
    if (!window.programEnded()) window.close();
    if (!finished) throw Failure("the configuration in '" + file + "' was not applied");
    // Some backends tell of a setting they could not write and carry on; the apply then
    // ends as if all went well, which a script must not take for success.
    if (console.showedError()) {
        throw Failure("applying '" + file + "' reported an error (see the messages above)");
    }
}

// One bound control of the window: its tab and what it showed.
struct ShownSetting {
    int tab;
    Binding binding;
    std::string value;
};

std::vector<ShownSetting> shownSettings(const frmMain& window) {
    const std::vector<Binding> byTab[] = {window.general.bindings(), window.explorer.bindings(),
                                          window.navigator.bindings(), window.advanced.bindings()};
    std::vector<ShownSetting> settings;
    for (int tab = 0; tab < 4; ++tab) {
        for (const Binding& binding : byTab[tab]) {
            settings.push_back({tab, binding, controlValue(*binding.control)});
        }
    }
    return settings;
}

// Whether the opened file applies the group of TAB: a group it switches off, or a browser
// that is not installed, is left as the machine has it. Its tab then keeps the machine's
// values anyway; this keeps the listing right should a tab ever show more than that.
bool fileApplies(const RmwConfig& document, int tab) {
    switch (tab) {
        case 0:
            return document.ApplyGeneral();
        case 1:
            return document.IEInstalled() && document.ApplyIE();
        case 2:
            return document.NNInstalled() && document.ApplyNN();
        default:
            return true;  // the automation switches and the comment belong to every file
    }
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

void printDifferences(const std::string& file, Io io) {
    useMachine(io);
    requireReadableFile(file);
    // The window is never closed: closing would store the recent-file list.
    frmMain window;
    window.Load();
    const std::vector<ShownSetting> current = shownSettings(window);
    if (!window.showConfigurationFile(file)) throw Failure("cannot open '" + file + "'");
    const std::vector<ShownSetting> fromFile = shownSettings(window);

    for (std::size_t i = 0; i < current.size(); ++i) {
        const ShownSetting& before = current[i];
        if (before.value == fromFile[i].value) continue;
        if (!fileApplies(window.document(), before.tab)) continue;
        io.out << window.tabSettings.tab(before.tab).Caption() << "\t" << before.binding.property
               << "\t" << column(before.value) << "\t" << column(fromFile[i].value) << "\t"
               << (before.binding.mode == kUnsavedChangeNeedingRestart ? "restart" : "") << "\n";
    }
}

int applyVerb(const std::vector<std::string>& args, Io io) {
    const std::string& file = fileArgument(args, "apply");
    try {
        applyFile(file, io);
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
    "apply FILE                        open FILE and apply it, as rmw started with FILE\n"
    "                                  does when the user confirms Apply; where rmw would\n"
    "                                  ask how to restart, the restart is left to the user\n"
    "                                  (Manual); a file set to restart by itself carries\n"
    "                                  out the stored restart choice. Exit 1 when FILE\n"
    "                                  cannot be opened or applied, or an error was\n"
    "                                  reported on the way",
    applyVerb);

const VerbRegistration diffRegistration(
    "diff",
    "diff FILE                         print what applying FILE would change, one line\n"
    "                                  per setting and five tab-separated columns: group,\n"
    "                                  setting, current value, value from FILE, and\n"
    "                                  \"restart\" when the change needs a restart (else\n"
    "                                  empty); tabs and line breaks in values are written\n"
    "                                  \\t, \\r, \\n. Groups FILE switches off are left out.\n"
    "                                  Nothing is written; nothing differs: no output",
    diffVerb);

}  // namespace
}  // namespace rmwctl
