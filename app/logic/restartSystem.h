#pragma once
// Carrying out a restart choice (see RestartChoice.h) through the system's power
// functions.

#include <string>

// The message shown whenever the user is left to restart by hand.
inline constexpr const char* kManualRestartMessage =
    "The network changes will take effect the next time you reboot.";

// Performs the restart choice SCHOICE: "1" reboots, "2" shuts down, "3" suspends, "0" and
// any other text do nothing. An empty SCHOICE is first replaced by the stored default
// choice, and the caller's variable receives it. Whether the system agrees is not
// examined; a power function that cannot be called at all shows "Error occurred while
// attempting to reset PC".
void restartSystem(std::string& sChoice);

// The restart after an apply that needs one when the user asked not to be asked: the
// stored choice is carried out, and when that choice is to restart by hand the user is
// told so. The caller ends the program afterwards.
void restartAutomatically();
