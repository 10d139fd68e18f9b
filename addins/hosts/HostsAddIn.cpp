#include "HostsAddIn.h"

#include "AddInError.h"
#include "DialogLauncher.h"
#include "HostEntryRules.h"
#include "HostsFileBlock.h"
#include "HostsFileLocation.h"
#include "HostsSection.h"
#include "Identity.h"

namespace hostsaddin {

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kInformationIcon = 0x40;

std::string hostsFileMessage(const std::string& path, const std::string& problem) {
    return "The HOSTS file " + path + " was not changed: " + problem;
}

}  // namespace

HostsAddIn::HostsAddIn(const HostServices& host) : host_(host) {
    try {
        const HostServices::FileContent hosts = host_.readFile(hostsFilePath(host_));
        if (hosts.error == 0) entries_ = readHostsBlock(hosts.content);
    } catch (const AddInError&) {
        // Without a readable HOSTS file the list starts empty; applying reports the cause.
    }
}

void HostsAddIn::loadSettings(const std::string& file) {
    entries_ = loadHostsSection(host_, file);
    loadedFrom_ = file;
    changed_ = false;
    // Entries that break the rules are kept as written rather than refused here, so the
    // file still opens and the user can mend them; applying refuses them, naming each.
}

void HostsAddIn::saveSettings(const std::string& file) {
    saveHostsSection(host_, file, entries_);
}

void HostsAddIn::applySettings() {
    checkEntries(entries_, loadedFrom_.empty() ? std::string() : "The host entries of " + loadedFrom_);
    const std::string path = hostsFilePath(host_);
    const HostServices::FileContent hosts = host_.readFile(path);
    if (hosts.error != 0 && hosts.error != kFileNotFound) {
        throw AddInError(AddInError::fromWin32(hosts.error),
                         hostsFileMessage(path, "it could not be read (" +
                                                    describeWin32Error(hosts.error) + ")."));
    }
    std::string rewritten;
    try {
        rewritten = rewriteHostsBlock(hosts.content, entries_);
    } catch (const AddInError& error) {
        throw AddInError(error.number(), hostsFileMessage(path, error.what()));
    }
    if (hosts.error == 0 && rewritten == hosts.content) return;
    if (hosts.error == kFileNotFound && entries_.empty()) return;  // nothing to remove
    if (const std::uint32_t error = host_.writeFile(path, rewritten); error != 0) {
        throw AddInError(AddInError::fromWin32(error),
                         hostsFileMessage(path, "it could not be written (" +
                                                    describeWin32Error(error) + ")."));
    }
}

void HostsAddIn::Show() {
    changed_ = false;
    HostList edited = entries_;
    changed_ = runHostsDialog(edited) && edited != entries_;
    if (changed_) entries_ = std::move(edited);
}

void HostsAddIn::about() {
    host_.messageBox(std::string(kDisplayName) + "\r\rVersion " + kVersion +
                         "\r\rKeeps the host names of each place in its configuration file and "
                         "writes them into the HOSTS file when the configuration is applied.",
                     std::string("About ") + kDisplayName, kInformationIcon);
}

}  // namespace hostsaddin
