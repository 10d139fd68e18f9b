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
    // the settings belong to.
    void save(const NetworkSettings& settings, const std::string& adapter) const;
    // The description the file's settings belong to.
    std::string loadAdapter() const;
    // Replaces every saved setting of SETTINGS by the file's value; a missing key reads
    // as "" (and a missing switch as off).
    void load(NetworkSettings& settings) const;

  private:
    std::string read(const std::string& section, const std::string& key) const;
    bool readSwitch(const std::string& key) const;
    void write(const std::string& section, const std::string& key, const std::string& value) const;
    void writeSwitch(const std::string& key, bool on) const;

    std::string filename_;
};
