#include "setup/SetupMessages.h"

#include "platform/Services.h"

namespace setup {

void showError(const char* text, const char* caption) { showError(std::string(text), caption); }

void showError(const std::string& text, const char* caption) {
    platform::ui().messageBox(text, platform::MsgBoxButtons::OKOnly, platform::MsgBoxIcon::Exclamation,
                              caption);
}

}  // namespace setup
