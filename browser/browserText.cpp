#include "browser/browserText.h"

#include <fstream>
#include <iterator>

#include "platform/Win32.h"

namespace browsertext {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string trim(const std::string& sText) {
    std::size_t first = 0;
    std::size_t last = sText.size();
    while (first < last && isBlank(sText[first])) ++first;
    while (last > first && isBlank(sText[last - 1])) --last;
    return sText.substr(first, last - first);
}

std::string toLower(std::string sText) {
    for (char& c : sText) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return sText;
}

std::string toUpper(std::string sText) {
    for (char& c : sText) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return sText;
}

std::string stripTerminator(const std::string& sText) {
    return trim(sText.substr(0, sText.find('\0')));
}

std::string flagText(bool bOn) {
    return bOn ? "1" : "0";
}

std::string readProfile(const std::string& sSection, const std::string& sKey,
                        const std::string& sFilename) {
    return stripTerminator(win32::GetPrivateProfileStringA(sSection, sKey, "", sFilename));
}

void writeProfile(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename) {
    win32::WritePrivateProfileStringA(sSection, sKey, sValue, sFilename);
}

std::vector<std::string> splitLines(const std::string& sText) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < sText.size(); ++i) {
        const char c = sText[i];
        if (c != '\r' && c != '\n') {
            current += c;
            continue;
        }
        if (c == '\r' && i + 1 < sText.size() && sText[i + 1] == '\n') ++i;
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

bool readFile(const std::filesystem::path& file, std::string& sContents) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    sContents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace browsertext
