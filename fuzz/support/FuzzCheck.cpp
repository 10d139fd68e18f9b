#include "fuzz/support/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {
namespace {

// Up to 2,000 characters of TEXT with control and high bytes as \xNN, so that a
// difference in line ends or NULs shows.
std::string shown(std::string_view text) {
    std::string out;
    for (char c : text.substr(0, 2000)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    if (text.size() > 2000) out += "...";
    return out;
}

}  // namespace

void require(bool holds, std::string_view what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

void requireEqual(std::string_view expected, std::string_view actual, std::string_view what) {
    if (expected == actual) return;
    std::fprintf(stderr, "fuzz property broken: %.*s\n  expected: %s\n  actual:   %s\n",
                 static_cast<int>(what.size()), what.data(), shown(expected).c_str(),
                 shown(actual).c_str());
    std::abort();
}

}  // namespace fuzzsupport
