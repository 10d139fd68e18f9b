#include "network/NetworkFileSections.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace {

constexpr const char* kNetwork = "Network";
constexpr const char* kPrinter = "Printer";
constexpr const char* kNoAddress = "0.0.0.0";
// What a read answers for a missing key: no value in a file is this text.
const std::string kAbsent("\x01");

std::string addressOrNone(const std::string& address) {
    return address.empty() ? kNoAddress : address;
}

}  // namespace

NetworkFileSections::NetworkFileSections(std::string sFilename) : filename_(std::move(sFilename)) {}

void NetworkFileSections::save(const NetworkSettings& settings, const std::string& adapter,
                               bool withWorkgroupAndLogon) const {
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
    if (withWorkgroupAndLogon) {
        write(kNetwork, "Workgroup", settings.Workgroup);
        writeSwitch("NTLogon", settings.NTLogonEnabled);
        write(kNetwork, "NTDomain", settings.NTDomain);
    }
    writeSwitch("DHCP", settings.DHCPEnabled);
    writeSwitch("WINS", settings.WINSEnabled);
    write(kPrinter, "DefaultPrinter", settings.DefaultPrinter);
}

std::string NetworkFileSections::loadAdapter() const {
    return read(kNetwork, "Adapter");
}

void NetworkFileSections::load(NetworkSettings& settings) const {
    readInto(kNetwork, "IPAddress", settings.IPAddress);
    readInto(kNetwork, "IPMask", settings.IPMask);
    readInto(kNetwork, "DefaultGateway", settings.DefaultGateway);
    readInto(kNetwork, "NameServer", settings.DNSServers);
    readInto(kNetwork, "HostName", settings.Host);
    readInto(kNetwork, "Domain", settings.DomainName);
    readInto(kNetwork, "SearchList", settings.SearchList);
    readInto(kNetwork, "LMHostFile", settings.LMHostFile);
    readInto(kNetwork, "NameServer1", settings.WINSServer1);
    readInto(kNetwork, "NameServer2", settings.WINSServer2);
    readInto(kNetwork, "ScopeID", settings.ScopeID);
    readSwitchInto("EnableDNS", settings.DNSEnabled);
    readInto(kNetwork, "ComputerName", settings.ComputerName);
    readInto(kNetwork, "Workgroup", settings.Workgroup);
    readSwitchInto("NTLogon", settings.NTLogonEnabled);
    readInto(kNetwork, "NTDomain", settings.NTDomain);
    readSwitchInto("DHCP", settings.DHCPEnabled);
    readSwitchInto("WINS", settings.WINSEnabled);
    readInto(kPrinter, "DefaultPrinter", settings.DefaultPrinter);
}

// A key the file does not have leaves the setting as it is: a file cut short, or one
// saved by a backend that keeps no such setting, must not blank the machine's value.
void NetworkFileSections::readInto(const std::string& section, const std::string& key,
                                   std::string& setting) const {
    const std::string value = win32::GetPrivateProfileStringA(section, key, kAbsent, filename_);
    if (value != kAbsent) setting = platform::stripTerminator(value);
}

void NetworkFileSections::readSwitchInto(const std::string& key, bool& setting) const {
    std::string value = setting ? "1" : "0";
    readInto(kNetwork, key, value);
    setting = value == "1";
}

std::string NetworkFileSections::read(const std::string& section, const std::string& key) const {
    return platform::stripTerminator(win32::GetPrivateProfileStringA(section, key, "", filename_));
}

void NetworkFileSections::write(const std::string& section, const std::string& key,
                                const std::string& value) const {
    win32::WritePrivateProfileStringA(section, key, value, filename_);
}

void NetworkFileSections::writeSwitch(const std::string& key, bool on) const {
    write(kNetwork, key, on ? "1" : "0");
}
