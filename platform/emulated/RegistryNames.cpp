#include "platform/emulated/RegistryNames.h"

namespace platform::emulated {

const std::vector<RegistryRoot>& registryRoots() {
    static const std::vector<RegistryRoot> roots = {
        {win32::HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
        {win32::HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
        {win32::HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
        {win32::HKEY_USERS, "HKEY_USERS", "HKU"},
        {win32::HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
        {win32::HKEY_DYN_DATA, "HKEY_DYN_DATA", "HKDD"},
    };
    return roots;
}

std::optional<RegistryRoot> rootByHandle(win32::HKEY handle) {
    for (const auto& root : registryRoots()) {
        if (root.handle == handle) return root;
    }
    return std::nullopt;
}

std::optional<RegistryRoot> rootByName(std::string_view name) {
    std::string folded = foldName(name);
    for (const auto& root : registryRoots()) {
        if (folded == root.name || folded == root.shortName) return root;
    }
    return std::nullopt;
}

std::string foldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

std::vector<std::string> splitKeyPath(std::string_view path) {
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) components.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

std::optional<RootedPath> splitRootedPath(std::string_view fullPath) {
    std::size_t end = fullPath.find('\\');
    auto root = rootByName(fullPath.substr(0, end));
    if (!root) return std::nullopt;
    std::string subPath =
        end == std::string_view::npos ? "" : std::string(fullPath.substr(end + 1));
    return RootedPath{*root, subPath};
}

}  // namespace platform::emulated
