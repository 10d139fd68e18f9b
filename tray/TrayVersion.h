#pragma once
// The tray utility's version: it ships with the main program and carries its number.

#include <string>

#include "app/logic/main/AppVersion.h"

namespace trayversion {

// Major, minor and revision joined by ".", e.g. "2.1.0".
inline std::string versionText() {
    return appversion::versionText();
}

// The icon's tool tip.
inline std::string toolTip() {
    return "Roamwise " + versionText();
}

}  // namespace trayversion
