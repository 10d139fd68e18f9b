#pragma once
// machine.ini: the [Machine] section that says which Windows the machine is.

#include <string>
#include <string_view>

#include "platform/emulated/Machine.h"

namespace platform::emulated {

// Throws MachineError naming FILENAME when a setting is missing or not a number.
MachineDescription parseMachineDescription(std::string_view text, const std::string& fileName);

}  // namespace platform::emulated
