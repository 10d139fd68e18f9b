#include "platform/NotificationArea.h"

#include "platform/forms/MenuItem.h"

namespace platform {

std::vector<forms::MenuItem*> popupMenuItems(forms::MenuItem& menu) {
    std::vector<forms::MenuItem*> items;
    for (forms::MenuItem* item : menu.items())
        if (item->Visible()) items.push_back(item);
    return items;
}

}  // namespace platform
