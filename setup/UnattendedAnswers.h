#pragma once
// How the setup package is answered when it runs without anybody at the screen:
// Install, "I agree", overwrite all files, and the proposed installation folder.

#include "platform/console/ConsoleUserInterface.h"

namespace setup {

void answerUnattended(platform::ConsoleUserInterface& console);

}  // namespace setup
