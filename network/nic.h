#pragma once
// Finds the Windows 95/98 network adapters that carry TCP/IP by walking the Plug and
// Play device tree under HKEY_LOCAL_MACHINE\Enum.

#include <string>

#include "network/KeyedList.h"
#include "registry/clsEasyRegistry.h"

class nic {
  public:
    nic();
    // Appends each adapter found: its description to cDesc and its settings key
    // (the binding's "Driver", e.g. NetTrans\0000) to cKey, both under "Device n".
    void enumAdapters(KeyedList& cDesc, KeyedList& cKey);

  private:
    void enumBranch(const std::string& bus, KeyedList& cDesc, KeyedList& cKey);
    bool readAdapter(const std::string& instancePath, std::string& description,
                     std::string& driver);
    clsEasyRegistry registry_;
};
