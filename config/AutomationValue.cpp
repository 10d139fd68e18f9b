#include "config/AutomationValue.h"

#include <cstdlib>

#include "config/TextRules.h"
#include "platform/RaisedError.h"

namespace {

constexpr std::int32_t kTypeMismatch = 13;

bool textToBoolean(const std::string& raw, const std::string& source) {
    const std::string text = textrules::trimmedBlanks(raw);
    if (textrules::equalsIgnoringCase(text, "true")) return true;
    if (textrules::equalsIgnoringCase(text, "false")) return false;
    if (!text.empty()) {
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        if (end == text.c_str() + text.size()) return number != 0;
    }
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
