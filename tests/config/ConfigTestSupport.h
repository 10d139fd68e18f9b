#pragma once
// Helpers shared by the configuration-document tests: registry edits, raw file access,
// and add-ins that record what the document calls on them.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/DispatchAddIn.h"
#include "config/RmwConfig.h"
#include "platform/RaisedError.h"
#include "platform/Win32.h"
#include "registry/clsEasyRegistry.h"

namespace configtest {

// Stores TEXT as the string value NAME of KEY (an absolute path), creating KEY.
inline void setRegistryText(const std::string& key, const std::string& name,
                            const std::string& text) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    const auto split = key.find_last_of('\\');
    registry.Cd(key.substr(0, split));
    registry.MakeKey(key.substr(split + 1));
    registry.Cd(key);
    registry.ValueOf(name, clsEasyRegistry::STRING, std::string(text));
    if (registry.lastError() != 0) throw std::runtime_error("cannot write " + key + "\\" + name);
}

inline void deleteRegistryValue(const std::string& key, const std::string& name) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    registry.DeleteValue(name);
}

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The section names of an INI text, in the order they appear.
inline std::vector<std::string> sectionNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            names.push_back(line.substr(1, line.size() - 2));
        }
        start = end + 1;
    }
    return names;
}

// A settings property of a backend, reached by name: its getter and its setter.
template <typename Backend, typename Value>
struct Property {
    std::string name;
    std::function<Value(const Backend&)> get;
    std::function<void(Backend&, const Value&)> set;
};

#define ROAMWISE_PROPERTY(Backend, Value, name)                                                    \
    Property<Backend, Value> {                                                                     \
#name, [](const Backend& b) { return Value(b.name()); }, [](Backend & b,                   \
                                                                    const Value& v) { b.name(v); } \
    }

inline const std::vector<Property<netConfig, std::string>>& networkTextProperties() {
    static const std::vector<Property<netConfig, std::string>> all = {
        ROAMWISE_PROPERTY(netConfig, std::string, ComputerName),
        ROAMWISE_PROPERTY(netConfig, std::string, Workgroup),
        ROAMWISE_PROPERTY(netConfig, std::string, Host),
        ROAMWISE_PROPERTY(netConfig, std::string, DomainName),
        ROAMWISE_PROPERTY(netConfig, std::string, IPAddress),
        ROAMWISE_PROPERTY(netConfig, std::string, IPMask),
        ROAMWISE_PROPERTY(netConfig, std::string, DefaultGateway),
        ROAMWISE_PROPERTY(netConfig, std::string, DNSServers),
        ROAMWISE_PROPERTY(netConfig, std::string, SearchList),
        ROAMWISE_PROPERTY(netConfig, std::string, WINSServer1),
        ROAMWISE_PROPERTY(netConfig, std::string, WINSServer2),
        ROAMWISE_PROPERTY(netConfig, std::string, ScopeID),
        ROAMWISE_PROPERTY(netConfig, std::string, LMHostFile),
        ROAMWISE_PROPERTY(netConfig, std::string, NTDomain),
        ROAMWISE_PROPERTY(netConfig, std::string, DefaultPrinter),
    };
    return all;
}

inline const std::vector<Property<netConfig, bool>>& networkFlagProperties() {
    static const std::vector<Property<netConfig, bool>> all = {
        ROAMWISE_PROPERTY(netConfig, bool, DNSEnabled),
        ROAMWISE_PROPERTY(netConfig, bool, WINSEnabled),
        ROAMWISE_PROPERTY(netConfig, bool, DHCPEnabled),
        ROAMWISE_PROPERTY(netConfig, bool, NTLogonEnabled),
    };
    return all;
}

inline const std::vector<Property<browserConfig, std::string>>& browserTextProperties() {
    static const std::vector<Property<browserConfig, std::string>> all = {
        ROAMWISE_PROPERTY(browserConfig, std::string, HTTPAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, HTTPPort),
        ROAMWISE_PROPERTY(browserConfig, std::string, SecureAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, SecurePort),
        ROAMWISE_PROPERTY(browserConfig, std::string, FTPAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, FTPPort),
        ROAMWISE_PROPERTY(browserConfig, std::string, GopherAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, GopherPort),
        ROAMWISE_PROPERTY(browserConfig, std::string, SocksAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, SocksPort),
        ROAMWISE_PROPERTY(browserConfig, std::string, WAISAddress),
        ROAMWISE_PROPERTY(browserConfig, std::string, WAISPort),
        ROAMWISE_PROPERTY(browserConfig, std::string, ProxyExceptions),
        ROAMWISE_PROPERTY(browserConfig, std::string, AutoConfigURL),
        ROAMWISE_PROPERTY(browserConfig, std::string, CurrentDUN),
    };
    return all;
}

inline const std::vector<Property<browserConfig, bool>>& browserFlagProperties() {
    static const std::vector<Property<browserConfig, bool>> all = {
        ROAMWISE_PROPERTY(browserConfig, bool, ProxyEnabled),
        ROAMWISE_PROPERTY(browserConfig, bool, UseSameProxy),
        ROAMWISE_PROPERTY(browserConfig, bool, IgnoreLocalAddresses),
        ROAMWISE_PROPERTY(browserConfig, bool, ConnectViaLAN),
    };
    return all;
}

#undef ROAMWISE_PROPERTY

// An add-in that notes each call as "<name>.<member>[ <argument>]" in a shared log,
// keeps its own section "<name>" with the key "Seen" in the configuration file, and
// answers restart with restartAnswer.
class RecordingAddIn : public DispatchAddIn {
  public:
    RecordingAddIn(std::string name, std::vector<std::string>& log)
        : DispatchAddIn("Test." + name), name_(std::move(name)), log_(log) {
        defineMethod("loadSettings", 1, [this](const std::vector<AutomationValue>& args) {
            const auto& file = std::get<std::string>(args.at(0));
            log_.push_back(name_ + ".loadSettings " + file);
            loaded = win32::GetPrivateProfileStringA(name_, "Seen", "", file);
            return AutomationValue();
        });
        defineMethod("saveSettings", 1, [this](const std::vector<AutomationValue>& args) {
            const auto& file = std::get<std::string>(args.at(0));
            log_.push_back(name_ + ".saveSettings");
            win32::WritePrivateProfileStringA(name_, "Seen", "yes", file);
            if (failOnSave) throw RaisedError(1001, classId(), "the add-in gave up");
            return AutomationValue();
        });
        defineMethod("applySettings", 0, [this](const std::vector<AutomationValue>&) {
            log_.push_back(name_ + ".applySettings");
            return AutomationValue();
        });
        defineProperty("restart", [this] {
            log_.push_back(name_ + ".restart");
            return restartAnswer;
        });
    }

    AutomationValue restartAnswer = false;
    bool failOnSave = false;
    std::string loaded;  // "Seen" as the last load found it

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

// Every setting a document holds, one "Group.Property=value" line each, for comparing
// two documents.
inline std::vector<std::string> describe(const RmwConfig& document) {
    std::vector<std::string> lines;
    auto add = [&](const std::string& name, const std::string& value) {
        lines.push_back(name + "=" + value);
    };
    auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
    add("Document.ApplyGeneral", flag(document.ApplyGeneral()));
    add("Document.ApplyIE", flag(document.ApplyIE()));
    add("Document.ApplyNN", flag(document.ApplyNN()));
    add("Document.AutoApply", flag(document.AutoApply()));
    add("Document.AutoReboot", flag(document.AutoReboot()));
    add("Document.Comments", document.Comments());
    const netConfig& net = document.getNetConfig();
    for (const auto& property : networkTextProperties())
        add("Network." + property.name, property.get(net));
    for (const auto& property : networkFlagProperties())
        add("Network." + property.name, flag(property.get(net)));
    add("Network.CurrentAdapter", std::to_string(net.CurrentAdapter()));
    const std::pair<const char*, browserConfig*> browsers[] = {{"IE.", document.getIEConfig()},
                                                               {"NN.", document.getNNConfig()}};
    for (const auto& [prefix, browser] : browsers) {
        if (browser == nullptr) continue;
        for (const auto& property : browserTextProperties())
            add(prefix + property.name, property.get(*browser));
        for (const auto& property : browserFlagProperties())
            add(prefix + property.name, flag(property.get(*browser)));
    }
    return lines;
}

}  // namespace configtest
