#pragma once
// A main window on a throw-away machine: starting it with a command line, configuration
// files made from the machine's current settings, and what the machine was asked to do.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/logic/main/frmMain.h"
#include "config/RmwConfig.h"
#include "platform/Win32.h"
#include "platform/emulated/EventLog.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestMachine.h"

namespace mainwindowtest {

using Texts = std::vector<std::string>;
using KeyValues = std::vector<std::pair<std::string, std::string>>;

// An address no template machine has.
inline constexpr const char* kOtherAddress = "10.20.30.40";

class MainWindowTest : public ::testing::Test {
  protected:
    explicit MainWindowTest(const std::string& templateName = "win98") : machine_(templateName) {}

    // Creates the window with COMMANDLINE and loads it, as the program's entry does.
    frmMain& start(const std::string& commandLine = "") {
        window_ = std::make_unique<frmMain>(commandLine);
        window_->Load();
        return *window_;
    }
    frmMain& window() { return *window_; }
    testsupport::ScriptedUserInterface& ui() { return machine_.ui(); }

    std::string path(const std::string& name) const { return (folder_.path() / name).string(); }

    // Saves the machine's current configuration as NAME with the two automation switches,
    // then puts NETWORKVALUES into its "Network" section. Returns the file's path.
    std::string configurationFile(const std::string& name, bool autoApply, bool autoReboot,
                                  const KeyValues& networkValues = {}) {
        return configurationFileAt(path(name), autoApply, autoReboot, networkValues);
    }
    // The same at FILE, a Windows or native path.
    std::string configurationFileAt(const std::string& file, bool autoApply, bool autoReboot,
                                    const KeyValues& networkValues = {}) {
        {
            RmwConfig current;
            current.AutoApply(autoApply);
            current.AutoReboot(autoReboot);
            current.saveConfigurationFile(file, AddInList());
        }
        for (const auto& [key, value] : networkValues) {
            win32::WritePrivateProfileStringA("Network", key, value, file);
        }
        ui().clear();
        return file;
    }

    // The machine's current IP address, as a fresh document reads it.
    std::string machineAddress() const { return RmwConfig().getNetConfig().IPAddress(); }

    std::string option(const std::string& key, const std::string& defaultValue = "") const {
        return SettingsStore().GetSetting(kAppName, "Options", key, defaultValue);
    }
    void setOption(const std::string& key, const std::string& value) {
        SettingsStore().SaveSetting(kAppName, "Options", key, value);
    }

    // The restarts, shutdowns and suspends the machine was asked for.
    Texts powerRequests() const { return machine_.powerRequests(); }

    bool unsavedShown() { return window_->sbStatus(3).Visible(); }
    bool resetShown() { return window_->sbStatus(4).Visible(); }

    // An object the window may use until it is gone, such as a replacement service.
    template <class T, class... Args>
    T& keep(Args&&... args) {
        auto object = std::make_shared<T>(std::forward<Args>(args)...);
        kept_.push_back(object);
        return *object;
    }

    testsupport::TestMachine machine_;
    testsupport::TempFolder folder_;
    std::vector<std::shared_ptr<void>> kept_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace mainwindowtest
