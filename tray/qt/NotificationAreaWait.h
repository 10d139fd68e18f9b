#pragma once
// Right after logon the desktop may not show its notification area yet: the utility
// waits for it, keeping its event loop running, for up to a limit.

#include <chrono>

#include "platform/NotificationArea.h"

// True as soon as AREA is available; false when LIMIT passed without it.
bool waitForNotificationArea(platform::NotificationArea& area, std::chrono::milliseconds limit);
