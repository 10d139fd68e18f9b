#pragma once
// The registry lines of an INF file: AddReg ("root, subkey, value name, flags, value")
// and DelReg ("root, subkey[, value name]"), checked when read and applied later.
// AddReg flags as Windows documents them: the type in the high word with bit 0 for
// binary data (0x00000001 REG_BINARY, 0x00010001 REG_DWORD, 0x00010000 REG_MULTI_SZ,
// 0x00020000 REG_EXPAND_SZ, 0x00020001 REG_NONE), 0x2 NOCLOBBER, 0x4 DELVAL, 0x8 APPEND,
// 0x10 KEYONLY, 0x20 OVERWRITEONLY.

#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

namespace platform::emulated::inf {

struct RegistryChange {
    enum class Kind { SetValue, CreateKey, DeleteValue, DeleteKey, AppendString };
    Kind kind = Kind::SetValue;
    win32::HKEY root = 0;
    std::string subkey;
    std::string valueName;
    win32::DWORD type = win32::REG_SZ;
    std::string data;
    bool noClobber = false;
    bool overwriteOnly = false;

    // Applies the change; false when the registry refused it.
    bool apply() const;
    std::string describe() const;
};

// The root key an INF names (HKCR, HKCU, HKLM, HKU), or nothing.
std::optional<win32::HKEY> infRootKey(const std::string& name);

// The change an AddReg or DelReg line asks for, from its values with %references%
// already resolved. std::invalid_argument says what is wrong with them.
RegistryChange addRegChange(const std::vector<std::string>& values);
RegistryChange delRegChange(const std::vector<std::string>& values);

}  // namespace platform::emulated::inf
