#pragma once
// Netscape Navigator's connection and proxy settings: found in the current user's
// "prefs.js" (located through the registry when the backend is created) and kept in
// the "Netscape Navigator" section of a configuration file. When the file cannot be
// found the user is warned once per start, unless told not to be, and status is 1.

#include <string>

#include "browser/browserProperties.h"
#include "browser/jsPrefs.h"
#include "registry/clsEasyRegistry.h"

class NNConfig : public browserProperties {
  public:
    NNConfig();
    ~NNConfig() override;
    NNConfig(const NNConfig&) = delete;
    NNConfig& operator=(const NNConfig&) = delete;

    void loadConfiguration() override;
    void applyConfiguration() override;
    void loadConfigurationFile(const std::string& sFilename) override;
    void saveConfigurationFile(const std::string& sFilename) override;
    void setProperties(const std::string& sKey, const std::string& sValue) override;
    void resetFlags() override;

    void getProxyAddresses() override;
    void getProxyEnabled() override;
    void getProxyExceptions() override;
    void getDUNList() override;
    void getAutoConfigURL() override;
    void getConnectViaLAN() override;
    void getDefaultHomePage() override;
    void setAutoConfigURL() override;
    void setProxyAddresses() override;
    void setProxyEnabled() override;
    void setProxyExceptions() override;
    void setDUN() override;
    void setDefaultHomePage() override;
    void setConnectViaLAN() override;

    std::optional<DUNNames> DUNList() const override;
    std::string CurrentDUN() const override;
    void CurrentDUN(const std::string& sDUN) override;

    // The full (Windows) path of the user's prefs.js, or "" when it was not found.
    const std::string& prefsFilePath() const;

  private:
    std::string findPrefsFile();
    std::string findProfileRegistryPrefs(const std::string& sUser);
    std::string findPerUserKeyPrefs();
    static std::string prefsInProfileFolder(const std::string& sMailPath,
                                            const std::string& sFolder);
    std::string readValue(const std::string& sKey, const std::string& sValueName, bool& bFound);
    void warnWhenPrefsMissing();
    void savePort(const std::string& sKey, const std::string& sPort);

    clsEasyRegistry registry_;
    jsPrefs prefs_;
    std::string prefsPath_;
};
