#include "app/logic/RestartChoice.h"

#include "settings/Options.h"

namespace RestartChoice {

std::string stored() {
    return readOption("Restart", kManual);
}

void store(const std::string& code) {
    storeOption("Restart", code);
}

}  // namespace RestartChoice
