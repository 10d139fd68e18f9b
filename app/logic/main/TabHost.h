#pragma once
// What the settings tabs need of the main window they sit in: its status protocol, the
// two filling flags, and its caption (which tells whether a configuration file is open).
// frmMain implements it; tests of a single tab may implement it themselves.

#include <cstdint>
#include <string>

// The change modes a tab reports to updateStatus.
inline constexpr std::int16_t kUnsavedChange = 1;
inline constexpr std::int16_t kUnsavedChangeNeedingRestart = 3;

class TabHost {
  public:
    virtual ~TabHost() = default;

    // Marks the configuration as pending for Apply and, unless the window is filling its
    // tabs, shows or hides the indicators for IMODE (-3 … 3).
    virtual void updateStatus(std::int16_t iMode) = 0;
    // True while the tabs are filled without showing indicator changes.
    virtual bool initializing() const = 0;
    virtual void initializing(bool value) = 0;
    // True only while an opened file's values are put into the tabs.
    virtual bool loadingFile() const = 0;
    virtual const std::string& windowCaption() const = 0;
};
