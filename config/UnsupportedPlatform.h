#pragma once
// Thrown by the configuration document when the system is neither Windows 95/98 nor
// Windows NT. The user has been told already; the program's entry point catches it and
// ends the program.

#include <stdexcept>

class UnsupportedPlatform : public std::runtime_error {
  public:
    UnsupportedPlatform()
        : std::runtime_error("Only Windows 95 & 98 are supported at this time.") {}
};
