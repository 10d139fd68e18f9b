#include "tests/support/RecordingNotificationArea.h"

#include <cstring>

#include "platform/forms/MenuItem.h"

namespace testsupport {

std::string NotifyIconCall::tip() const {
    return std::string(record.szTip, strnlen(record.szTip, sizeof record.szTip));
}

std::vector<std::string> ShownMenu::captions() const {
    std::vector<std::string> texts;
    for (const Item& item : items) texts.push_back(item.caption);
    return texts;
}

win32::HWND RecordingNotificationArea::createMessageWindow(platform::WindowProcedure procedure) {
    const win32::HWND window = nextWindow_++;
    windows_[window] = std::move(procedure);
    return window;
}

void RecordingNotificationArea::destroyMessageWindow(win32::HWND hWnd) {
    windows_.erase(hWnd);
    std::erase_if(icons_, [hWnd](const auto& icon) { return icon.first.first == hWnd; });
}

win32::BOOL RecordingNotificationArea::Shell_NotifyIconA(win32::DWORD dwMessage,
                                                         const win32::NOTIFYICONDATAA* lpData) {
    NotifyIconCall call{dwMessage, lpData != nullptr ? *lpData : win32::NOTIFYICONDATAA{}, 0};
    const bool valid = lpData != nullptr && lpData->cbSize == win32::NOTIFYICONDATAA_SIZE &&
                       windows_.count(lpData->hWnd) == 1 && isAvailable;
    if (valid) {
        const std::pair key{lpData->hWnd, lpData->uID};
        const bool shown = icons_.count(key) == 1;
        if (dwMessage == win32::NIM_ADD && !shown) {
            icons_[key] = *lpData;
            call.result = 1;
        } else if (dwMessage == win32::NIM_MODIFY && shown) {
            icons_[key] = *lpData;
            call.result = 1;
        } else if (dwMessage == win32::NIM_DELETE && shown) {
            icons_.erase(key);
            call.result = 1;
        }
    }
    calls_.push_back(call);
    return call.result;
}

void RecordingNotificationArea::popupMenu(forms::MenuItem& menu) {
    ShownMenu shown{menu.Name(), {}};
    const std::vector<forms::MenuItem*> items = platform::popupMenuItems(menu);
    for (const forms::MenuItem* item : items)
        shown.items.push_back(
            {item->Name(), item->isSeparator() ? "-" : item->Caption(), item->Enabled()});
    menus_.push_back(shown);
    if (menuChoices_.empty()) return;
    const std::string choice = menuChoices_.front();
    menuChoices_.pop_front();
    for (forms::MenuItem* item : items)
        if (item->Name() == choice) item->click();
}

bool RecordingNotificationArea::raiseIconEvent(win32::UINT mouseMessage,
                                               std::optional<win32::UINT> uID) {
    for (const auto& [key, record] : icons_) {
        if (uID && key.second != *uID) continue;
        if ((record.uFlags & win32::NIF_MESSAGE) == 0) return false;
        // A copy: the window may delete its icon (and itself) while handling the event.
        const platform::WindowProcedure procedure = windows_.at(key.first);
        procedure(record.uCallbackMessage, record.uID, static_cast<win32::LPARAM>(mouseMessage));
        return true;
    }
    return false;
}

void RecordingNotificationArea::queueMenuChoice(std::string itemName) {
    menuChoices_.push_back(std::move(itemName));
}

}  // namespace testsupport
