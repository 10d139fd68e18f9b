#include "platform/SystemInfo.h"

#include <cstdint>
#include <ctime>

namespace platform {

// The host's own time zone stands for the machine's.
win32::BOOL SystemInfo::LocalFileTimeToFileTime(const win32::FILETIME* local, win32::FILETIME* utc) {
    if (local == nullptr || utc == nullptr) return 0;
    constexpr std::int64_t kTicksPerSecond = 10000000;
    constexpr std::int64_t kEpochSeconds = 11644473600LL;  // 1601 to 1970
    const std::uint64_t ticks = (std::uint64_t{local->dwHighDateTime} << 32) | local->dwLowDateTime;
    const std::int64_t seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond) - kEpochSeconds;
    const std::time_t asIfUtc = static_cast<std::time_t>(seconds);
    std::tm fields{};
#ifdef _WIN32
    if (::gmtime_s(&fields, &asIfUtc) != 0) return 0;
#else
    if (::gmtime_r(&asIfUtc, &fields) == nullptr) return 0;
#endif
    fields.tm_isdst = -1;
    const std::time_t real = std::mktime(&fields);
    if (real == static_cast<std::time_t>(-1)) return 0;
    const std::uint64_t result = static_cast<std::uint64_t>(real + kEpochSeconds) * kTicksPerSecond +
                                 ticks % kTicksPerSecond;
    utc->dwLowDateTime = static_cast<win32::DWORD>(result);
    utc->dwHighDateTime = static_cast<win32::DWORD>(result >> 32);
    return 1;
}

}  // namespace platform
