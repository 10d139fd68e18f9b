#pragma once
// Finds the Windows NT network cards that carry TCP/IP by walking
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\NetworkCards.

#include <string>

#include "network/KeyedList.h"
#include "registry/clsEasyRegistry.h"

class nic_nt {
  public:
    nic_nt();
    // Appends each card found: its "Title" to cDesc and its "ServiceName" to cKey, both
    // under "Device n".
    void enumAdapters(KeyedList& cDesc, KeyedList& cKey);

  private:
    void enumBranch(const std::string& branch, KeyedList& cDesc, KeyedList& cKey);
    bool readCard(const std::string& cardPath, std::string& title, std::string& serviceName);
    bool read(const std::string& valueName, std::string& text);
    clsEasyRegistry registry_;
};
