#pragma once
// The setup program's messages, shown with the caption "Error" unless noted.

#include <string>

namespace setup {

inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kCannotOpenFile = "Cannot open file ..";  // a caption; the path is the text
inline constexpr const char* kErrorReadingArchive = "Error reading archive.";
inline constexpr const char* kInvalidFilename = "Invalid filename.";
inline constexpr const char* kErrorInDirectory = "Error in directory ..";  // a caption; the folder is the text
inline constexpr const char* kUnknownCompression = "Unknown compression type";
inline constexpr const char* kErrorExtracting = "Error extracting file(s).";
inline constexpr const char* kCannotCloseFile = "Cannot close the file";
inline constexpr const char* kCouldNotInitialize = "Couldn't initialize installation.";
inline constexpr const char* kNeedAdministrator =
    "You need to have aministrative privileges to run this program.";
inline constexpr const char* kErrorRebuilding = "Error rebuilding this Setup package.";
inline constexpr const char* kInsertDisk = "Please insert disk with part number ";  // caption: the title

// Shows TEXT with CAPTION and the OK button.
void showError(const char* text, const char* caption = kErrorCaption);
void showError(const std::string& text, const char* caption);

}  // namespace setup
