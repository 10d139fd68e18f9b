#include "app/logic/dialogs/NumericText.h"

#include <charconv>
#include <limits>
#include <string>

#include "platform/AsciiText.h"

namespace numericText {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of DIGITS (digits with at most one decimal point, at least one digit). Far
// too many digits read as infinity, or as 0 when all of them stand after the point, so a
// very long text never passes for a small number.
double magnitude(const std::string& digits) {
    double value = 0;
    // from_chars, unlike strtod, does not depend on the locale's decimal point.
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc()) return value;
    const std::string whole = digits.substr(0, digits.find('.'));
    const bool large = whole.find_first_not_of('0') != std::string::npos;
    return large ? std::numeric_limits<double>::infinity() : 0;
}

// A number at the start of TEXT (no blanks before it) and how many characters it took;
// nothing when TEXT starts with no number.
struct Scanned {
    double value = 0;
    std::size_t length = 0;
};

std::optional<Scanned> scanNumber(std::string_view text) {
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    std::string digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c != '.' || seenPoint) {
            break;
        } else {
            seenPoint = true;
        }
        digits += c;
    }
    if (!seenDigit) return std::nullopt;
    if (digits.back() == '.') digits.pop_back();  // "5." reads as 5
    if (digits.front() == '.') digits.insert(digits.begin(), '0');
    return Scanned{negative ? -magnitude(digits) : magnitude(digits), position};
}

}  // namespace

std::optional<double> valueOf(std::string_view text) {
    const std::string_view trimmed = platform::trimBlanks(text);
    const std::optional<Scanned> number = scanNumber(trimmed);
    if (!number || number->length != trimmed.size()) return std::nullopt;
    return number->value;
}

double leadingValue(std::string_view text) {
    const std::string_view trimmed = platform::trimBlanks(text);
    const std::optional<Scanned> number = scanNumber(trimmed);
    return number ? number->value : 0;
}

}  // namespace numericText
