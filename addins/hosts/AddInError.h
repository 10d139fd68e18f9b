#pragma once
// A failure the add-in reports to its host: the number and description travel back in
// an rmw_error. Numbers follow the automation conventions: the add-in's own errors are
// offsets from vbObjectError, and a Win32 error the machine reported is carried as its
// HRESULT (0x8007xxxx), so the host can tell "access denied" from "disk full".

#include <cstdint>
#include <stdexcept>
#include <string>

namespace hostsaddin {

class AddInError : public std::runtime_error {
  public:
    static constexpr std::int32_t kObjectError = static_cast<std::int32_t>(0x80040000u);
    static constexpr std::int32_t kInvalidEntry = kObjectError + 513;
    static constexpr std::int32_t kDamagedHostsFile = kObjectError + 514;
    static constexpr std::int32_t kDialogUnavailable = kObjectError + 515;

    AddInError(std::int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    // The HRESULT that carries a Win32 error code.
    static std::int32_t fromWin32(std::uint32_t code) {
        return static_cast<std::int32_t>(0x80070000u | (code & 0xFFFFu));
    }

    std::int32_t number() const { return number_; }

  private:
    std::int32_t number_;
};

// The text a user reads for a Win32 error code: the code and what it means.
std::string describeWin32Error(std::uint32_t code);

}  // namespace hostsaddin
