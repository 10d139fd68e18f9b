#include "AddInError.h"

namespace hostsaddin {

namespace {

const char* win32Meaning(std::uint32_t code) {
    switch (code) {
        case 2: return "the file was not found";
        case 3: return "the folder does not exist";
        case 5: return "access is denied";
        case 19: return "the disk is write-protected";
        case 32: return "another program is using the file";
        case 33: return "another program has locked part of the file";
        case 39: case 112: return "the disk is full";
        case 123: return "the file name is not valid";
        case 183: return "a file of that name already exists";
        default: return nullptr;
    }
}

}  // namespace

std::string describeWin32Error(std::uint32_t code) {
    std::string text = "error " + std::to_string(code);
    if (const char* meaning = win32Meaning(code)) text += std::string(": ") + meaning;
    return text;
}

}  // namespace hostsaddin
