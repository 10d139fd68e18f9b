#pragma once
// Why a conversion could not be done; the text is the message shown to the user.

#include <stdexcept>

namespace converter {

class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The converter's messages, as its window and rmwctl show them.
inline constexpr const char* kConversionTitle = "Roamwise File Conversion";
inline constexpr const char* kConversionComplete = "Conversion complete.";
inline constexpr const char* kSourceNotFound =
    "Cannot find source configuration file.  Please check path.";
inline constexpr const char* kSourceUnreadable =
    "Cannot read source configuration file.  Please check path.";
inline constexpr const char* kDestinationMissing =
    "Please enter the path of the destination configuration file.";
inline constexpr const char* kDestinationIsSource =
    "The destination configuration file must not be the source file.  Please check path.";
inline constexpr const char* kDestinationUncreatable =
    "Cannot create destination configuration file.  Please check path.";
inline constexpr const char* kDestinationUnwritable =
    "Cannot write to destination configuration file.  The new file is incomplete.";

}  // namespace converter
