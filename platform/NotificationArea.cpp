#include "platform/NotificationArea.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"

namespace platform {

std::vector<forms::MenuItem*> popupMenuItems(forms::MenuItem& menu) {
    std::vector<forms::MenuItem*> items;
    const std::vector<forms::Control*>& controls = menu.owner().controls();
    auto next = std::find(controls.begin(), controls.end(), &menu);
    if (next == controls.end()) return items;
    for (++next; next != controls.end(); ++next) {
        auto* item = dynamic_cast<forms::MenuItem*>(*next);
        if (item != nullptr && item->Visible()) items.push_back(item);
    }
    return items;
}

}  // namespace platform
