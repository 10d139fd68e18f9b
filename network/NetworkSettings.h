#pragma once
// The cached network settings that a backend reads from the system, writes back, and
// keeps in a configuration file's "Network" and "Printer" sections.

#include <string>

struct NetworkSettings {
    std::string ComputerName;
    std::string Workgroup;
    std::string Host;
    std::string DomainName;
    std::string IPAddress;
    std::string IPMask;
    std::string DefaultGateway;
    std::string DNSServers;
    std::string SearchList;
    bool DNSEnabled = false;
    bool WINSEnabled = false;
    std::string WINSServer1;
    std::string WINSServer2;
    std::string ScopeID;
    std::string LMHostFile;
    bool DHCPEnabled = false;
    bool NTLogonEnabled = false;
    std::string NTDomain;
    std::string DefaultPrinter;
};
