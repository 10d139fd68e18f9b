#pragma once
// Add-ins for the main window's and the Add-In Manager's tests: classes made from a
// table of members that note every call, and registrations in the settings store.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/AddInClasses.h"
#include "config/DispatchAddIn.h"
#include "platform/RaisedError.h"
#include "tests/app/MainWindowFixture.h"

namespace mainwindowtest {

inline const std::string kReferenceError = "Please check your Add-Ins.";

// What a test add-in answers, what was called on it, and the objects made of it.
struct AddInState {
    bool restart = false;
    bool changed = false;
    bool failApply = false;
    bool failAbout = false;
    Texts calls;
    std::vector<std::weak_ptr<AddInObject>> made;

    // How many of the objects made are still held by someone.
    int alive() const {
        return static_cast<int>(std::count_if(made.begin(), made.end(),
                                              [](const auto& object) { return !object.expired(); }));
    }
};

inline std::shared_ptr<AddInObject> makeAddIn(const std::string& classId,
                                              std::shared_ptr<AddInState> state) {
    auto addIn = std::make_shared<DispatchAddIn>(classId);
    auto noting = [state](const std::string& call) {
        return [state, call](const std::vector<AutomationValue>&) {
            state->calls.push_back(call);
            return AutomationValue();
        };
    };
    addIn->defineMethod("loadSettings", 1, noting("loadSettings"));
    addIn->defineMethod("saveSettings", 1, noting("saveSettings"));
    addIn->defineMethod("Show", 0, noting("Show"));
    addIn->defineMethod("applySettings", 0, [state, classId](const std::vector<AutomationValue>&) {
        state->calls.push_back("applySettings");
        if (state->failApply) throw RaisedError(1001, classId, "The VPN client is not running");
        return AutomationValue();
    });
    addIn->defineMethod("about", 0, [state, classId](const std::vector<AutomationValue>&) {
        state->calls.push_back("about");
        if (state->failAbout) throw RaisedError(1002, classId, "The about box is missing");
        return AutomationValue();
    });
    addIn->defineProperty("restart", [state] { return AutomationValue(state->restart); });
    addIn->defineProperty("Changed", [state] { return AutomationValue(state->changed); });
    state->made.push_back(addIn);
    return addIn;
}

// A class that can be created while the object lives.
class ScopedClass {
  public:
    explicit ScopedClass(std::string classId,
                         std::shared_ptr<AddInState> state = std::make_shared<AddInState>())
        : classId_(std::move(classId)), state_(std::move(state)) {
        registerAddInClass(classId_,
                           [id = classId_, state = state_] { return makeAddIn(id, state); });
    }
    ~ScopedClass() { unregisterAddInClass(classId_); }
    ScopedClass(const ScopedClass&) = delete;
    ScopedClass& operator=(const ScopedClass&) = delete;
    AddInState& state() { return *state_; }

  private:
    std::string classId_;
    std::shared_ptr<AddInState> state_;
};

// Registers the add-in NAME; an empty value leaves that key out.
inline void registerAddIn(const std::string& name, const std::string& classId,
                          const std::string& os, const std::string& active) {
    SettingsStore store;
    store.SaveSetting(kAppName, "Add-Ins", name, "1");
    const std::string section = "Add-Ins\\" + name;
    if (!classId.empty()) store.SaveSetting(kAppName, section, "Class", classId);
    if (!os.empty()) store.SaveSetting(kAppName, section, "OS", os);
    if (!active.empty()) store.SaveSetting(kAppName, section, "Active", active);
}
// The stored "Active" of the add-in NAME, "<missing>" when there is none.
inline std::string active(const std::string& name) {
    return SettingsStore().GetSetting(kAppName, "Add-Ins\\" + name, "Active", "<missing>");
}

class AddInWindowTest : public MainWindowTest {
  protected:
    explicit AddInWindowTest(const std::string& templateName = "win98")
        : MainWindowTest(templateName) {}

    Texts visibleAddInEntries() {
        Texts captions;
        for (int index = 0; index < 20; ++index) {
            if (window().mnuAddIns(index).Visible())
                captions.push_back(window().mnuAddIns(index).Caption());
        }
        return captions;
    }
    Texts loadedNames() {
        Texts names;
        for (const auto& entry : window().addIns()) names.push_back(entry.name);
        return names;
    }
    // The registered names in the store's order, kept when in WANTED.
    static Texts inStoreOrder(const Texts& wanted) {
        Texts names;
        for (const auto& [name, value] : SettingsStore().GetAllSettings(kAppName, "Add-Ins")) {
            if (std::find(wanted.begin(), wanted.end(), name) != wanted.end())
                names.push_back(name);
        }
        return names;
    }
    static Texts withDots(const Texts& names) {
        Texts captions;
        for (const auto& name : names) captions.push_back(name + "...");
        return captions;
    }
};

}  // namespace mainwindowtest
