#pragma once
// The built-in machine templates, built into the program from platform/templates.

#include <string_view>
#include <vector>

namespace platform::emulated {

struct TemplateFile {
    std::string_view templateName;  // "win98"
    std::string_view path;          // relative, with '/': "drive_c/WINDOWS/win.ini"
    std::string_view bytes;
};

// Every file of every template, sorted by template and path.
const std::vector<TemplateFile>& templateFiles();

}  // namespace platform::emulated
