#pragma once
// Checks inside fuzz targets. A broken property is a finding: the target prints what
// differed and aborts, which both the fuzzer engine and the replay program report.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzzsupport {

// The input as bytes.
inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with WHAT unless HOLDS.
void require(bool holds, std::string_view what);
// Aborts, showing both texts with their control characters escaped, unless they are equal.
void requireEqual(std::string_view expected, std::string_view actual, std::string_view what);

}  // namespace fuzzsupport
