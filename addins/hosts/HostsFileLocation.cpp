#include "HostsFileLocation.h"

#include "HostEntry.h"

namespace hostsaddin {

namespace {

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::string_view lastComponent(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::string hostsFilePath(const HostServices& host) {
    const std::string system = withoutTrailingSeparator(host.systemDirectory());
    if (equalsIgnoringCase(lastComponent(system), "system32")) {
        return system + "\\drivers\\etc\\HOSTS";
    }
    return withoutTrailingSeparator(host.windowsDirectory()) + "\\HOSTS";
}

}  // namespace hostsaddin
