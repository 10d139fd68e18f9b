#include "tests/contract/ContractSystem.h"

#include <gtest/gtest.h>

#include <iostream>

#include "platform/Win32.h"

namespace contract {

bool ContractSystem::isWine() const { return runningUnderWine(); }

bool ContractSystem::wineDiffers(const std::string& reason) const {
    if (!isWine()) return false;
    std::cout << "[ WINE     ] " << reason << "\n";
    testing::Test::RecordProperty("wine_difference", reason);
    return true;
}

bool ContractSystem::isNT() const {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    return win32::GetVersionExA(&info) && info.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
}

const std::string& ContractSystem::scratchFolder() const { return scratchFolder_; }

}  // namespace contract
