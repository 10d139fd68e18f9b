#include "app/logic/dialogs/RestartOptions.h"

#include "app/logic/RestartChoice.h"

RestartOptions::RestartOptions(forms::OptionButton& manual, forms::OptionButton& reboot,
                               forms::OptionButton& shutdown, forms::OptionButton& suspend)
    : entries_{{{&manual, RestartChoice::kManual},
                {&reboot, RestartChoice::kReboot},
                {&shutdown, RestartChoice::kShutdown},
                {&suspend, RestartChoice::kSuspend}}} {}

void RestartOptions::show(const std::string& code) {
    for (const Entry& entry : entries_) entry.button->Value(code == entry.code);
}

std::optional<std::string> RestartOptions::selected() const {
    for (const Entry& entry : entries_)
        if (entry.button->Value()) return std::string(entry.code);
    return std::nullopt;
}
