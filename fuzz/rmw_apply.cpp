// A configuration file loaded and applied to a fresh copy of each template, as rmw does
// with a file on its command line. Nothing but the errors the document documents may
// escape, and the configuration the machine then holds saves as a file that applies:
// its addresses are valid lists and its names fit NetBIOS.

#include <string>

#include "app/logic/main/AddressValidation.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"
#include "fuzz/RmwFiles.h"
#include "platform/Win32.h"

namespace {

// What rmwctl apply checks before it applies a file: the address lists are valid and
// the names fit NetBIOS. The window checks the same as the user types.
std::string applicableProblem(const std::filesystem::path& file) {
    const std::string missing("\x01");
    const auto value = [&](const char* section, const char* key) {
        return win32::GetPrivateProfileStringA(section, key, missing, file.string());
    };
    if (value("Enabled Sections", "General") != "1") return "";
    for (const char* key : {"IPAddress", "IPMask", "DefaultGateway", "NameServer"}) {
        const std::string text = value("Network", key);
        if (text != missing && !isValidIPList(text, ',')) return std::string(key) + "=" + text;
    }
    for (const char* key : {"ComputerName", "Workgroup"}) {
        const std::string text = value("Network", key);
        if (text != missing && text.size() > 15) return std::string(key) + "=" + text;
    }
    return "";
}

void loadAndApply(fuzzsupport::FuzzMachine& machine, std::string_view input) {
    static const AddInList noAddIns;
    machine.fresh();
    const auto folder = machine.scratch();
    fuzzsupport::writeFile(folder / "input.rmw", input);
    if (!applicableProblem(folder / "input.rmw").empty()) return;
    fuzzsupport::opened(folder / "input.rmw")->applyConfiguration(noAddIns);
    RmwConfig current;
    fuzzsupport::saved(current, folder / "current.rmw");
    const std::string problem = applicableProblem(folder / "current.rmw");
    fuzzsupport::require(problem.empty(), "the machine's configuration saves as " + problem);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzsupport::FuzzMachine win98("win98");
    static fuzzsupport::FuzzMachine nt4("nt4");
    loadAndApply(win98, fuzzsupport::bytesOf(data, size));
    loadAndApply(nt4, fuzzsupport::bytesOf(data, size));
    return 0;
}
