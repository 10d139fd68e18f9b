// Internet Explorer's proxy server string and bypass list. The input is a server string,
// a NUL, then a bypass list. Reading a string and composing it again reaches a fixed
// point after one pass: the composed string reads back as the same settings.

#include <string>

#include "browser/IEConfig.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"

namespace {

IEConfig& backend() {
    static fuzzsupport::FuzzMachine machine("win98");
    static IEConfig* config = (machine.fresh(), new IEConfig());
    return *config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzzsupport::bytesOf(data, size);
    const auto nul = input.find('\0');
    const std::string server(input.substr(0, nul));
    const std::string bypass(nul == std::string_view::npos ? "" : input.substr(nul + 1));
    IEConfig& config = backend();

    config.setProxySettings(server);
    const std::string once = config.buildProxyServer();
    config.setProxySettings(once);
    fuzzsupport::requireEqual(once, config.buildProxyServer(), "proxy server read -> compose");

    config.setBypassList(bypass);
    const std::string list = config.bypassList();
    const std::string exceptions = config.ProxyExceptions();
    const bool ignoreLocal = config.IgnoreLocalAddresses();
    config.setBypassList(list);
    fuzzsupport::requireEqual(list, config.bypassList(), "bypass list read -> compose");
    fuzzsupport::requireEqual(exceptions, config.ProxyExceptions(), "bypass exceptions");
    fuzzsupport::require(ignoreLocal == config.IgnoreLocalAddresses(), "bypass <local>");
    return 0;
}
