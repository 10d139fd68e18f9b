// rmwctl show / save: the machine's current configuration as Roamwise saves it.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>
#include <string>

#include "config/AddInList.h"
#include "config/AddInRegistration.h"
#include "config/SystemVersions.h"
#include "config/RmwConfig.h"
#include "config/UnsupportedPlatform.h"
#include "network/netConfig.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/RegistryReadSnapshot.h"
#include "platform/Services.h"
#include "tools/rmwctl/TemporaryPaths.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// The registry of the machine the verbs work on, opening the machine first.
platform::Registry& machineRegistry(Io io) {
    useMachine(io);
    return platform::registry();
}

// The document as the main program has it right after start-up: the machine's current
// settings, every installed group switched on and the others off, no add-ins.
std::unique_ptr<RmwConfig> currentConfiguration() {
    auto document = std::make_unique<RmwConfig>();
    // The main window switches on exactly the groups whose backend exists.
    document->ApplyGeneral(true);
    document->ApplyIE(document->IEInstalled());
    document->ApplyNN(document->NNInstalled());
    return document;
}

// The adapter named on the command line: its index in the adapter list, or its
// description (as the window lists it; letter case aside when nothing matches exactly).
std::int16_t adapterIndex(const netConfig::TextList& adapters, const std::string& name) {
    const bool number = !name.empty() && name.size() <= 4 &&
                        name.find_first_not_of("0123456789") == std::string::npos;
    if (number && std::stoul(name) < adapters.size()) return static_cast<std::int16_t>(std::stoi(name));
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        if (adapters[i] == name) return static_cast<std::int16_t>(i);
    }
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        if (platform::equalsIgnoringCase(adapters[i], name)) return static_cast<std::int16_t>(i);
    }
    std::string known;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        known += "\n  " + std::to_string(i) + "  " + adapters[i];
    }
    throw Failure("no network adapter '" + name + "'; the machine has:" + known);
}

// Makes ADAPTER the one whose address settings the document holds, as choosing it in
// the window's adapter list does.
void chooseAdapter(RmwConfig& document, const std::string& adapter) {
    netConfig& network = document.getNetConfig();
    const auto adapters = network.AdapterList();
    if (network.CurrentAdapter() < 0 || !adapters || adapters->empty()) {
        throw Failure("the machine has no network adapter to choose");
    }
    network.CurrentAdapter(adapterIndex(*adapters, adapter));
}

// Why FILE cannot be written, in the user's terms; "" when no reason shows. The
// system's own message ("Path/File access error") is the same for every cause.
std::string writeProblem(const std::string& file) {
    namespace fs = std::filesystem;
    const fs::path native = platform::files().toNative(file);
    if (native.empty()) return "the drive or network share does not exist";
    std::error_code error;
    if (fs::is_directory(native, error)) return "it is a folder";
    const fs::path folder = fs::absolute(native, error).parent_path();
    if (!fs::is_directory(folder, error)) {
        return "the folder " + platform::files().toWindows(folder) + " does not exist";
    }
    if (fs::exists(native, error) && ::access(native.string().c_str(), W_OK) != 0) {
        return "the file is read-only";
    }
    if (::access(folder.string().c_str(), W_OK) != 0) {
        return "the folder " + platform::files().toWindows(folder) + " is read-only";
    }
    return "";
}

// The add-ins switched on for this machine, which write their sections into a saved
// file as they do when the main window saves; one that cannot be created is warned of
// and, as in the main window, ends the loading there.
AddInList activeAddIns() {
    std::optional<addinregistry::CreationFailure> failure;
    AddInList addIns = addinregistry::createActiveAddIns(getOSPlatform(), failure);
    if (failure) {
        std::cerr << "rmwctl: warning: the add-in " << failure->name << " (" << failure->classId
                  << ") cannot be created: " << failure->description
                  << "; the sections of it and the add-ins after it are not written\n";
    }
    return addIns;
}

[[noreturn]] void failToSave(const std::string& file, const RaisedError& error) {
    const std::string problem = writeProblem(file);
    throw Failure("cannot save '" + file + "': " + error.Description() +
                  (problem.empty() ? "" : " (" + problem + ")"));
}

void saveTo(RmwConfig& document, const std::string& file) {
    try {
        document.saveConfigurationFile(file, activeAddIns());
    } catch (const RaisedError& error) {
        failToSave(file, error);
    }
}

int showVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("show takes no arguments");
    try {
        // The document and the add-ins' settings come from one state of the machine.
        const platform::RegistryReadSnapshot snapshot(machineRegistry(io));
        auto document = currentConfiguration();
        // The text is built under a name of this process in the temporary folder, as a
        // save would build it, and printed; no file is written.
        const std::string file = temporaryName("show.rmw").string();
        std::string text;
        try {
            text = document->configurationText(file, activeAddIns());
        } catch (const RaisedError& error) {
            failToSave(file, error);
        }
        io.out << text;
        io.out.flush();
    } catch (const UnsupportedPlatform&) {
        return 1;  // the console has said so already
    }
    return 0;
}

int saveVerb(const std::vector<std::string>& args, Io io) {
    std::vector<std::string> files;
    std::optional<std::string> adapter;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--adapter") {
            files.push_back(args[i]);
        } else if (i + 1 < args.size() && !adapter) {
            adapter = args[++i];
        } else {
            throw UsageError("--adapter takes one adapter number or description");
        }
    }
    if (files.size() != 1 || files[0].empty()) throw UsageError("save takes one file name");
    try {
        const platform::RegistryReadSnapshot snapshot(machineRegistry(io));
        auto document = currentConfiguration();
        if (adapter) chooseAdapter(*document, *adapter);
        saveTo(*document, files[0]);
    } catch (const UnsupportedPlatform&) {
        return 1;
    }
    return 0;
}

const VerbRegistration showRegistration(
    "show",
    "show                              print the machine's current configuration as a\n"
    "                                  .RMW file would hold it",
    showVerb);

const VerbRegistration saveRegistration(
    "save",
    "save FILE [--adapter N|DESCRIPTION]\n"
    "                                  save the machine's current configuration to FILE\n"
    "                                  (a Windows path such as C:\\office.rmw, or a path of\n"
    "                                  this computer); an existing FILE is replaced. The\n"
    "                                  address settings are those of adapter 0 unless\n"
    "                                  --adapter names another (its number or description,\n"
    "                                  as rmwctl adapters lists them)",
    saveVerb);

}  // namespace
}  // namespace rmwctl
