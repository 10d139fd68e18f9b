#pragma once
// Single-byte text rules shared by the configuration core: names compare without regard
// to ASCII case, and profile values lose their surrounding blanks.

#include <string>

namespace textrules {

inline char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

inline std::string foldedAscii(std::string text) {
    for (char& c : text) c = foldAscii(c);
    return text;
}

inline bool equalsIgnoringCase(const std::string& left, const std::string& right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (foldAscii(left[i]) != foldAscii(right[i])) return false;
    }
    return true;
}

// TEXT without leading and trailing blanks (spaces and tabs).
inline std::string trimmedBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace textrules
