#include "network/NetworkFileSections.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace {

constexpr const char* kNetwork = "Network";
constexpr const char* kPrinter = "Printer";
constexpr const char* kNoAddress = "0.0.0.0";

std::string addressOrNone(const std::string& address) {
    return address.empty() ? kNoAddress : address;
}

}  // namespace

NetworkFileSections::NetworkFileSections(std::string sFilename) : filename_(std::move(sFilename)) {}

void NetworkFileSections::save(const NetworkSettings& settings, const std::string& adapter) const {
    write(kNetwork, "Adapter", adapter);
    write(kNetwork, "IPAddress", addressOrNone(settings.IPAddress));
    write(kNetwork, "IPMask", addressOrNone(settings.IPMask));
    write(kNetwork, "DefaultGateway", settings.DefaultGateway);
    write(kNetwork, "NameServer", settings.DNSServers);
    write(kNetwork, "HostName", settings.Host);
    write(kNetwork, "Domain", settings.DomainName);
    write(kNetwork, "SearchList", settings.SearchList);
    write(kNetwork, "NameServer1", settings.WINSServer1);
    write(kNetwork, "NameServer2", settings.WINSServer2);
    write(kNetwork, "ScopeID", settings.ScopeID);
    writeSwitch("EnableDNS", settings.DNSEnabled);
    write(kNetwork, "ComputerName", settings.ComputerName);
    write(kNetwork, "Workgroup", settings.Workgroup);
    writeSwitch("NTLogon", settings.NTLogonEnabled);
    write(kNetwork, "NTDomain", settings.NTDomain);
    writeSwitch("DHCP", settings.DHCPEnabled);
    writeSwitch("WINS", settings.WINSEnabled);
    write(kPrinter, "DefaultPrinter", settings.DefaultPrinter);
}

std::string NetworkFileSections::loadAdapter() const {
    return read(kNetwork, "Adapter");
}

void NetworkFileSections::load(NetworkSettings& settings) const {
    settings.IPAddress = read(kNetwork, "IPAddress");
    settings.IPMask = read(kNetwork, "IPMask");
    settings.DefaultGateway = read(kNetwork, "DefaultGateway");
    settings.DNSServers = read(kNetwork, "NameServer");
    settings.Host = read(kNetwork, "HostName");
    settings.DomainName = read(kNetwork, "Domain");
    settings.SearchList = read(kNetwork, "SearchList");
    settings.LMHostFile = read(kNetwork, "LMHostFile");
    settings.WINSServer1 = read(kNetwork, "NameServer1");
    settings.WINSServer2 = read(kNetwork, "NameServer2");
    settings.ScopeID = read(kNetwork, "ScopeID");
    settings.DNSEnabled = readSwitch("EnableDNS");
    settings.ComputerName = read(kNetwork, "ComputerName");
    settings.Workgroup = read(kNetwork, "Workgroup");
    settings.NTLogonEnabled = readSwitch("NTLogon");
    settings.NTDomain = read(kNetwork, "NTDomain");
    settings.DHCPEnabled = readSwitch("DHCP");
    settings.WINSEnabled = readSwitch("WINS");
    settings.DefaultPrinter = read(kPrinter, "DefaultPrinter");
}

std::string NetworkFileSections::read(const std::string& section, const std::string& key) const {
    return platform::stripTerminator(win32::GetPrivateProfileStringA(section, key, "", filename_));
}

bool NetworkFileSections::readSwitch(const std::string& key) const {
    return read(kNetwork, key) == "1";
}

void NetworkFileSections::write(const std::string& section, const std::string& key,
                                const std::string& value) const {
    win32::WritePrivateProfileStringA(section, key, value, filename_);
}

void NetworkFileSections::writeSwitch(const std::string& key, bool on) const {
    write(kNetwork, key, on ? "1" : "0");
}
