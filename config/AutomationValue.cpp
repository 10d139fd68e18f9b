#include "config/AutomationValue.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"

namespace {

constexpr std::int32_t kTypeMismatch = 13;

// TEXT as a decimal number ("1", "-1", "+0.5", "1e3"), whatever the process's locale
// says about decimal points; nothing for any other text. The C library's own parser
// would also take "nan", "inf" and "0x10", which are no numbers to an automation object.
std::optional<double> decimalNumber(const std::string& text) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    double number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number, std::chars_format::general);
    if (begin == end || error != std::errc() || stop != end || !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

bool textToBoolean(const std::string& raw, const std::string& source) {
    const std::string text = std::string(platform::trimBlanks(raw));
    if (platform::equalsIgnoringCase(text, "true")) return true;
    if (platform::equalsIgnoringCase(text, "false")) return false;
    if (const auto number = decimalNumber(text)) return *number != 0;
    throw RaisedError(kTypeMismatch, source, "Type mismatch");
}

}  // namespace

bool toBoolean(const AutomationValue& value, const std::string& source) {
    struct Converter {
        const std::string& source;
        bool operator()(std::monostate) const { return false; }
        bool operator()(bool flag) const { return flag; }
        bool operator()(std::int32_t number) const { return number != 0; }
        bool operator()(double number) const { return number != 0; }
        bool operator()(const std::string& text) const { return textToBoolean(text, source); }
    };
    return std::visit(Converter{source}, value);
}
