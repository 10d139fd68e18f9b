#pragma once
// Small helpers over the registry functions for tests that make keys and list what a
// key holds; they report a failed call as a test failure and carry on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Win32.h"

namespace testsupport {

inline const win32::BYTE* bytes(const std::string& text) {
    return reinterpret_cast<const win32::BYTE*>(text.data());
}

// Opens PATH below PARENT, making it when missing.
inline win32::HKEY create(win32::HKEY parent, const char* path) {
    win32::HKEY key = 0;
    win32::DWORD disposition = 0;
    EXPECT_EQ(win32::RegCreateKeyExA(parent, path, 0, "", win32::REG_OPTION_NON_VOLATILE,
                                     win32::KEY_ALL_ACCESS, nullptr, &key, &disposition),
              win32::ERROR_SUCCESS)
        << path;
    return key;
}

// The names ENUMERATE gives for index 0, 1, … until ERROR_NO_MORE_ITEMS.
template <typename Enumerate>
std::vector<std::string> enumeratedNames(Enumerate enumerate) {
    std::vector<std::string> names;
    for (win32::DWORD index = 0;; ++index) {
        char name[300];
        win32::DWORD length = sizeof name;
        const win32::LONG result = enumerate(index, name, &length);
        if (result == win32::ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(result, win32::ERROR_SUCCESS);
        if (result != win32::ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

inline std::vector<std::string> subkeyNames(win32::HKEY key) {
    return enumeratedNames([key](win32::DWORD index, char* name, win32::DWORD* length) {
        return win32::RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

inline std::vector<std::string> valueNames(win32::HKEY key) {
    return enumeratedNames([key](win32::DWORD index, char* name, win32::DWORD* length) {
        return win32::RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

}  // namespace testsupport
