#pragma once
// The "Network" and "Printer" sections of a configuration file, shared by both network
// backends so that a file saved on one system loads on the other.

#include <string>

#include "network/NetworkSettings.h"

class NetworkFileSections {
  public:
    // What a file's "Adapter" holds when the machine had no adapter.
    static constexpr const char* NoAdapter = "No Adapters Installed";

    explicit NetworkFileSections(std::string sFilename);

    // Writes every key in its fixed order; ADAPTER is the description of the adapter
    // the settings belong to. Without WITHWORKGROUPANDLOGON the workgroup and the domain
    // logon keys are left out (a backend that keeps none has nothing true to write).
    void save(const NetworkSettings& settings, const std::string& adapter,
              bool withWorkgroupAndLogon = true) const;
    // The description the file's settings belong to.
    std::string loadAdapter() const;
    // Replaces every saved setting of SETTINGS by the file's value; a setting whose key
    // the file does not have keeps its value.
    void load(NetworkSettings& settings) const;

  private:
    std::string read(const std::string& section, const std::string& key) const;
    void readInto(const std::string& section, const std::string& key, std::string& setting) const;
    void readSwitchInto(const std::string& key, bool& setting) const;
    void write(const std::string& section, const std::string& key, const std::string& value) const;
    void writeSwitch(const std::string& key, bool on) const;

    std::string filename_;
};
