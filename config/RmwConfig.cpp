#include "config/RmwConfig.h"

#include "browser/IEConfig.h"
#include "browser/NNConfig.h"
#include "config/AddInCalls.h"
#include "config/ApplyTransactionScope.h"
#include "config/ProfileText.h"
#include "config/ProfileWriteWatch.h"
#include "config/RmwFileLayout.h"
#include "config/StagedFile.h"
#include "config/SystemVersions.h"
#include "config/UndoHistory.h"
#include "config/UnsupportedPlatform.h"
#include "network/netConfig95.h"
#include "network/netConfigNT.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/RegistryReadSnapshot.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

namespace {

// Browsers up to and including these versions are not supported: they count as absent.
constexpr float kOldestExplorer = 3.0f;
constexpr float kOldestNavigator = 4.0f;

void inform(const std::string& text) {
    platform::ui().messageBox(text, platform::MsgBoxButtons::OKOnly,
                              platform::MsgBoxIcon::Information, kAppTitle);
}

// A browser backend made only when the browser is new enough, and kept only when it
// says it is usable.
template <typename Backend>
std::unique_ptr<browserConfig> usableBrowser(float version, float oldest) {
    if (!(version > oldest)) return nullptr;
    auto backend = std::make_unique<Backend>();
    if (backend->status() != 0) return nullptr;
    return backend;
}

// The comment is one line of the file. A line break in it would let the rest become lines
// of their own (a section header, a key of another section) that a later load reads as
// settings; each break (CR LF, CR or LF) is written as one blank instead.
std::string oneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return line;
}

}  // namespace

RmwConfig::RmwConfig() {
    // The machine's settings as one state, even while another program applies a file.
    platform::RegistryReadSnapshot snapshot(platform::registry());
    createNetworkBackend();
    createBrowserBackends();
    confFile_.clear();
    loadCurrentConfiguration();
}

// The backends go in the order they were made: network, Internet Explorer, Navigator.
RmwConfig::~RmwConfig() {
    network_.reset();
    explorer_.reset();
    navigator_.reset();
}

void RmwConfig::createNetworkBackend() {
    const std::string platformName = getOSPlatform();
    if (platformName == "NT") {
        network_ = std::make_unique<netConfigNT>();
    } else if (platformName == "95") {
        network_ = std::make_unique<netConfig95>();
    } else {
        inform("Only Windows 95 & 98 are supported at this time.");
        throw UnsupportedPlatform();
    }
}

void RmwConfig::createBrowserBackends() {
    explorer_ = usableBrowser<IEConfig>(getIEVersion(), kOldestExplorer);
    navigator_ = navigatorBackend();
}

std::unique_ptr<browserConfig> RmwConfig::navigatorBackend() {
    return usableBrowser<NNConfig>(getNNVersion(), kOldestNavigator);
}

netConfig& RmwConfig::getNetConfig() const {
    return *network_;
}
browserConfig* RmwConfig::getIEConfig() const {
    return explorer_.get();
}
browserConfig* RmwConfig::getNNConfig() const {
    return navigator_.get();
}

void RmwConfig::loadCurrentConfiguration() {
    platform::RegistryReadSnapshot snapshot(platform::registry());
    network_->loadConfiguration();
    if (explorer_) explorer_->loadConfiguration();
    if (navigator_) navigator_->loadConfiguration();
}

std::int16_t RmwConfig::loadConfigurationFile(const std::string& sFile, const AddInList& oAddIns) {
    confFile_ = sFile;
    readEnabledSections();
    readAdvancedSettings();
    if (applyGeneral_) network_->loadConfigurationFile(confFile_);
    if (explorerTakesPart()) explorer_->loadConfigurationFile(confFile_);
    if (navigatorTakesPart()) navigator_->loadConfigurationFile(confFile_);
    for (const auto& addIn : oAddIns) {
        if (addIn.object) addins::loadSettings(*addIn.object, confFile_);
    }
    return 0;
}

std::int16_t RmwConfig::saveConfigurationFile(const std::string& sFile, const AddInList& oAddIns) {
    confFile_ = sFile;
    StagedFile file(confFile_, rmwfile::headerText());
    writeConfiguration(file.path(), oAddIns);
    file.commit();
    return 1;
}

std::string RmwConfig::configurationText(const std::string& sFile, const AddInList& oAddIns) {
    StagedFile file(sFile, rmwfile::headerText());
    writeConfiguration(file.path(), oAddIns);
    return file.contents();
}

void RmwConfig::writeConfiguration(const std::string& sFile, const AddInList& oAddIns) const {
    ProfileWriteWatch watch;
    writeEnabledSections(sFile);
    writeAdvancedSettings(sFile);
    if (applyGeneral_) network_->saveConfigurationFile(sFile);
    if (explorerTakesPart()) explorer_->saveConfigurationFile(sFile);
    if (navigatorTakesPart()) navigator_->saveConfigurationFile(sFile);
    for (const auto& addIn : oAddIns) {
        if (addIn.object) addins::saveSettings(*addIn.object, sFile);
    }
    if (watch.writeFailed()) throw RaisedError(75, "RmwConfig", "Path/File access error");
}

bool RmwConfig::applyConfiguration(const AddInList& oAddIns) {
    platform::BusyPointer busy(platform::ui());
    const auto marks = network_->changeMarks();
    try {
        return applyAsOne(oAddIns);
    } catch (...) {
        network_->changeMarks(marks);  // nothing was written: the changes are still to apply
        throw;
    }
}

bool RmwConfig::applyAsOne(const AddInList& oAddIns) {
    // Everything below reaches the machine together or not at all.
    ApplyTransactionScope transaction;
    // What the machine had, for undo; listed only if this apply takes place.
    undo::takeSnapshot(confFile_.empty() ? "[Current Configuration]" : confFile_);
    if (applyGeneral_) network_->applyConfiguration();
    if (explorerTakesPart()) explorer_->applyConfiguration();
    if (navigatorTakesPart()) navigator_->applyConfiguration();
    bool restartWanted = false;
    for (const auto& addIn : oAddIns) {
        if (!addIn.object) continue;
        addins::applySettings(*addIn.object);
        restartWanted = addins::restart(*addIn.object) || restartWanted;
    }
    transaction.commit();
    return restartWanted;
}

int RmwConfig::printConfiguration() {
    inform("Print option not yet enabled.");
    return 1;
}

bool RmwConfig::explorerTakesPart() const {
    return explorer_ && applyIE_;
}
bool RmwConfig::navigatorTakesPart() const {
    return navigator_ && applyNN_;
}

void RmwConfig::readEnabledSections() {
    applyGeneral_ = rmwfile::switchIsOn(readValue(rmwfile::kEnabledSections, rmwfile::kGeneral));
    applyIE_ =
        rmwfile::switchIsOn(readValue(rmwfile::kEnabledSections, rmwfile::kInternetExplorer));
    applyNN_ =
        rmwfile::switchIsOn(readValue(rmwfile::kEnabledSections, rmwfile::kNetscapeNavigator));
}

void RmwConfig::writeEnabledSections(const std::string& sFile) const {
    using namespace rmwfile;
    profiletext::write(kEnabledSections, kGeneral, switchText(applyGeneral_), sFile);
    profiletext::write(kEnabledSections, kInternetExplorer, switchText(applyIE_), sFile);
    profiletext::write(kEnabledSections, kNetscapeNavigator, switchText(applyNN_), sFile);
}

void RmwConfig::readAdvancedSettings() {
    autoApply_ = rmwfile::switchIsOn(readValue(rmwfile::kAdvanced, rmwfile::kAutoApply));
    autoReboot_ = rmwfile::switchIsOn(readValue(rmwfile::kAdvanced, rmwfile::kAutoReboot));
    comments_ = readValue(rmwfile::kAdvanced, rmwfile::kComments);
}

void RmwConfig::writeAdvancedSettings(const std::string& sFile) const {
    using namespace rmwfile;
    profiletext::write(kAdvanced, kAutoApply, switchText(autoApply_), sFile);
    profiletext::write(kAdvanced, kAutoReboot, switchText(autoReboot_), sFile);
    profiletext::write(kAdvanced, kComments, oneLine(comments_), sFile);
}

std::string RmwConfig::readValue(const std::string& section, const std::string& key) const {
    return profiletext::read(section, key, confFile_);
}

const std::string& RmwConfig::confFile() const {
    return confFile_;
}
void RmwConfig::confFile(const std::string& sFile) {
    confFile_ = sFile;
}
bool RmwConfig::IEInstalled() const {
    return explorer_ != nullptr;
}
bool RmwConfig::NNInstalled() const {
    return navigator_ != nullptr;
}
const std::string& RmwConfig::Comments() const {
    return comments_;
}
void RmwConfig::Comments(const std::string& RHS) {
    comments_ = std::string(platform::trimBlanks(RHS));
}
bool RmwConfig::AutoApply() const {
    return autoApply_;
}
void RmwConfig::AutoApply(bool bMode) {
    autoApply_ = bMode;
}
bool RmwConfig::AutoReboot() const {
    return autoReboot_;
}
void RmwConfig::AutoReboot(bool bMode) {
    autoReboot_ = bMode;
}
void RmwConfig::ApplyGeneral(bool bValue) {
    applyGeneral_ = bValue;
}
bool RmwConfig::ApplyGeneral() const {
    return applyGeneral_;
}
void RmwConfig::ApplyIE(bool bValue) {
    applyIE_ = bValue;
}
bool RmwConfig::ApplyIE() const {
    return applyIE_;
}
void RmwConfig::ApplyNN(bool bValue) {
    applyNN_ = bValue;
}
bool RmwConfig::ApplyNN() const {
    return applyNN_;
}
