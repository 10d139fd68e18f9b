#include "browser/jsString.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace jsstring {
namespace {

// The characters Windows-1252 puts at bytes 0x80..0x9F; 0 where the byte is unused.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte that stands for the character in Windows-1252. Control characters get none:
// a NUL or a line break would cut or split the value wherever it goes next (a
// configuration file line, a registry text), and the C1 controls have no byte at all.
std::optional<char> ansiByte(std::uint32_t codePoint) {
    if (codePoint < 0x20 || (codePoint >= 0x80 && codePoint < 0xA0)) return std::nullopt;
    if (codePoint <= 0xFF) return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// The number written as COUNT hex digits at FROM, when they are all there.
std::optional<std::uint32_t> hexNumber(const std::string& sText, std::size_t from,
                                       std::size_t count) {
    if (from + count > sText.size()) return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = sText[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        number = number * 16 + digit;
    }
    return number;
}

// The character of a "\u" or "\x" escape whose digits start at FROM; false when the
// escape is malformed or its character has no byte, and is then kept as it stands.
bool decodeNumbered(const std::string& sBody, std::size_t from, std::size_t digits,
                    std::string& sText) {
    const std::optional<std::uint32_t> codePoint = hexNumber(sBody, from, digits);
    const std::optional<char> byte = codePoint ? ansiByte(*codePoint) : std::nullopt;
    if (byte) sText += *byte;
    return byte.has_value();
}

// Whether a "\uXXXX" starts at AT whose character no byte can hold: reading left it as
// it stands, so writing must too.
bool isKeptEscape(const std::string& sText, std::size_t at) {
    if (at + 1 >= sText.size() || sText[at] != '\\' || sText[at + 1] != 'u') return false;
    const std::optional<std::uint32_t> codePoint = hexNumber(sText, at + 2, 4);
    return codePoint && !ansiByte(*codePoint);
}

}  // namespace

std::string escape(const std::string& sText) {
    std::string escaped;
    for (std::size_t i = 0; i < sText.size(); ++i) {
        const char c = sText[i];
        switch (c) {
            case '\\':
                escaped += isKeptEscape(sText, i) ? "\\" : "\\\\";
                break;
            case '"':
                escaped += "\\\"";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string unescape(const std::string& sBody) {
    std::string text;
    for (std::size_t i = 0; i < sBody.size(); ++i) {
        if (sBody[i] != '\\' || i + 1 == sBody.size()) {
            text += sBody[i];
            continue;
        }
        const char next = sBody[++i];
        switch (next) {
            case '\\':
            case '"':
            case '\'':
                text += next;
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'u':
                if (decodeNumbered(sBody, i + 1, 4, text)) {
                    i += 4;
                } else {
                    text += "\\u";
                }
                break;
            case 'x':
                if (decodeNumbered(sBody, i + 1, 2, text)) {
                    i += 2;
                } else {
                    text += "\\x";
                }
                break;
            // Escapes no browser writes are kept as they stand.
            default:
                text += '\\';
                text += next;
        }
    }
    return text;
}

}  // namespace jsstring
