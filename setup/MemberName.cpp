#include "setup/MemberName.h"

namespace setup {
namespace {

bool isForbidden(unsigned char c) {
    return c < 0x20 || c == ':' || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"';
}

}  // namespace

std::optional<std::string> memberPath(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') return std::nullopt;
    std::string path;
    std::string part;
    auto endPart = [&]() -> bool {
        if (part == "..") return false;
        if (!part.empty() && part != ".") path += (path.empty() ? "" : "\\") + part;
        part.clear();
        return true;
    };
    for (char c : name) {
        if (isForbidden(static_cast<unsigned char>(c))) return std::nullopt;
        if (c == '/' || c == '\\') {
            if (!endPart()) return std::nullopt;
        } else {
            part += c;
        }
    }
    if (!endPart()) return std::nullopt;
    const bool namesFolder = name.back() == '/' || name.back() == '\\';
    if (namesFolder) return std::string();
    if (path.empty()) return std::nullopt;
    return path;
}

}  // namespace setup
