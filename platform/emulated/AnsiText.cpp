#include "platform/emulated/AnsiText.h"

#include <array>
#include <cstdint>

namespace platform::emulated {
namespace {

// Windows-1252 bytes 0x80..0x9F and the characters they stand for; the five bytes
// that the code page leaves undefined stand for the C1 controls of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ansiByte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Decodes one UTF-8 sequence at TEXT[AT]; returns its length, or 0 when malformed.
std::size_t decodeUtf8(std::string_view text, std::size_t at, char32_t& character) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    std::uint8_t lead = byte(at);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || at + length > text.size()) return 0;
    character = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        character = (character << 6) | (byte(at + i) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kSmallest[length] || character > 0x10FFFF) return 0;
    return length;
}

}  // namespace

std::string ansiFromUtf16(std::string_view utf16le) {
    std::string result;
    result.reserve(utf16le.size() / 2);
    for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
        char32_t unit = static_cast<std::uint8_t>(utf16le[i]) |
                        static_cast<char32_t>(static_cast<std::uint8_t>(utf16le[i + 1])) << 8;
        bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 3 < utf16le.size()) {
            auto next = static_cast<std::uint8_t>(utf16le[i + 3]);
            if (next >= 0xDC && next <= 0xDF) i += 2;  // a pair: one character, not two
        }
        // Surrogates stand for characters beyond the code page.
        result += ansiByte(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    return result;
}

bool isValidUtf8(std::string_view bytes) {
    char32_t character = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = decodeUtf8(bytes, i, character);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string ansiFromUtf8(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    char32_t character = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = decodeUtf8(utf8, i, character);
        if (length == 0) {
            result += '?';
            ++i;
            continue;
        }
        result += ansiByte(character);
        i += length;
    }
    return result;
}

}  // namespace platform::emulated
