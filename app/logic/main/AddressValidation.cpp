#include "app/logic/main/AddressValidation.h"

#include <cstddef>
#include <string_view>

namespace {

constexpr std::size_t kAddressParts = 4;
constexpr std::size_t kMaxPartLength = 3;
constexpr int kMaxPartValue = 255;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool onlyDigitsAndDots(std::string_view text) {
    for (const char c : text)
        if (!isDigit(c) && c != '.') return false;
    return true;
}

// One part between dots: one to three digits worth 0 to 255.
bool isValidPart(std::string_view part) {
    if (part.empty() || part.size() > kMaxPartLength) return false;
    int value = 0;
    for (const char c : part) {
        if (!isDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return value <= kMaxPartValue;
}

}  // namespace

bool isValidIP(const std::string& address) {
    if (address.empty()) return true;
    if (!onlyDigitsAndDots(address)) return false;
    std::string_view rest = address;
    std::size_t parts = 0;
    while (true) {
        const std::size_t dot = rest.find('.');
        if (!isValidPart(rest.substr(0, dot))) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        rest.remove_prefix(dot + 1);
    }
    return parts == kAddressParts;
}

bool isValidIPList(const std::string& list, char delimiter) {
    if (list.empty()) return true;
    std::string_view rest = list;
    while (true) {
        const std::size_t end = rest.find(delimiter);
        const std::string item(rest.substr(0, end));
        if (item.empty() || !isValidIP(item)) return false;
        if (end == std::string_view::npos) return true;
        rest.remove_prefix(end + 1);
    }
}
