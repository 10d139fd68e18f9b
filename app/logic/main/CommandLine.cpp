#include "app/logic/main/CommandLine.h"

#include <cstddef>

std::vector<std::string> splitCommandLine(const std::string& sCommandLine, int iMaxArgs) {
    std::vector<std::string> arguments;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : sCommandLine) {
        if (c == ',' && !quoted) {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (arguments.size() >= static_cast<std::size_t>(iMaxArgs < 0 ? 0 : iMaxArgs)) break;
            arguments.emplace_back();
            inArgument = true;
        }
        if (c == '"') {
            quoted = !quoted;
        } else {
            arguments.back() += c;
        }
    }
    return arguments;
}

std::string withoutQuotes(const std::string& sCommandLine) {
    std::string text;
    for (const char c : sCommandLine) {
        if (c != '"') text += c;
    }
    return text;
}
