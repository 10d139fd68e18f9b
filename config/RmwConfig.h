#pragma once
// The configuration document: the machine's network settings (one backend chosen by the
// operating system) and the proxy settings of the browsers that are installed, together
// with the document-level settings a configuration file keeps: which groups take part,
// whether the file applies itself and restarts without asking, and a comment.
//
// Constructing a document reads the machine's current settings. Loading, saving and
// applying go through the enabled backends in the order network, Internet Explorer,
// Navigator, and then through the add-ins the caller passes in.

#include <cstdint>
#include <memory>
#include <string>

#include "browser/browserConfig.h"
#include "config/AddInList.h"
#include "network/netConfig.h"

class RmwConfig {
  public:
    // Decides the backends and reads the current configuration. On a system that is
    // neither Windows 95/98 nor Windows NT the user is told so and UnsupportedPlatform
    // is thrown; the program is to end.
    RmwConfig();
    ~RmwConfig();
    RmwConfig(const RmwConfig&) = delete;
    RmwConfig& operator=(const RmwConfig&) = delete;

    // The Navigator backend a document made now would get, without reading any setting:
    // none when Navigator is missing, too old or unusable (the backend has then told the
    // user why, when it is one to tell).
    static std::unique_ptr<browserConfig> navigatorBackend();

    // The backends. They belong to the document and live as long as it does.
    netConfig& getNetConfig() const;
    browserConfig* getIEConfig() const;  // nullptr unless IEInstalled()
    browserConfig* getNNConfig() const;  // nullptr unless NNInstalled()

    // Reads the machine's current settings into every present backend.
    void loadCurrentConfiguration();
    // Reads the configuration file SFILE: the switches, the "Advanced" settings, then the
    // sections of the enabled backends and of the add-ins. Always returns 0; errors
    // raised by a backend or an add-in reach the caller.
    std::int16_t loadConfigurationFile(const std::string& sFile, const AddInList& oAddIns);
    // Writes the configuration to SFILE and returns 1. The file is written completely
    // beside SFILE first and then takes its place, so a save that raises (a backend, an
    // add-in, a refused write) leaves an existing SFILE as it was.
    std::int16_t saveConfigurationFile(const std::string& sFile, const AddInList& oAddIns);
    // What saveConfigurationFile would write to SFILE, without writing any file: the text
    // is built under SFILE's name (whose folder must exist) and then dropped.
    std::string configurationText(const std::string& sFile, const AddInList& oAddIns);
    // Applies the enabled backends, then every add-in; true when an add-in asks for a
    // restart. The busy pointer shows meanwhile. The apply is one transaction of the
    // platform: all of it reaches the machine or, when anything raises, none of it; the
    // machine's configuration before it is kept for undo.
    bool applyConfiguration(const AddInList& oAddIns);
    // Printing is not offered; says so and returns 1.
    int printConfiguration();

    const std::string& confFile() const;
    void confFile(const std::string& sFile);
    bool IEInstalled() const;
    bool NNInstalled() const;
    const std::string& Comments() const;
    void Comments(const std::string& RHS);  // stored without surrounding blanks
    bool AutoApply() const;
    void AutoApply(bool bMode);
    bool AutoReboot() const;
    void AutoReboot(bool bMode);
    void ApplyGeneral(bool bValue);
    bool ApplyGeneral() const;
    void ApplyIE(bool bValue);
    bool ApplyIE() const;
    void ApplyNN(bool bValue);
    bool ApplyNN() const;

  private:
    bool applyAsOne(const AddInList& oAddIns);
    // Writes every part of the configuration to SFILE, a file in a write session.
    void writeConfiguration(const std::string& sFile, const AddInList& oAddIns) const;
    void createNetworkBackend();
    void createBrowserBackends();
    bool explorerTakesPart() const;
    bool navigatorTakesPart() const;
    void readEnabledSections();
    void writeEnabledSections(const std::string& sFile) const;
    void readAdvancedSettings();
    void writeAdvancedSettings(const std::string& sFile) const;
    std::string readValue(const std::string& section, const std::string& key) const;

    std::unique_ptr<netConfig> network_;
    std::unique_ptr<browserConfig> explorer_;
    std::unique_ptr<browserConfig> navigator_;
    std::string confFile_;
    std::string comments_;
    bool autoApply_ = false;
    bool autoReboot_ = false;
    bool applyGeneral_ = true;
    bool applyIE_ = true;
    bool applyNN_ = true;
};
