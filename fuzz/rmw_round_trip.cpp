// A configuration file loaded and saved, then the saved file loaded and saved again,
// on both templates: the two saves are byte for byte the same.

#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"
#include "fuzz/RmwFiles.h"

namespace {

void roundTrip(fuzzsupport::FuzzMachine& machine, std::string_view input) {
    // Loading and saving leave the machine as it is: one copy serves every input.
    machine.installed();
    const auto folder = machine.scratch();
    fuzzsupport::writeFile(folder / "input.rmw", input);
    const std::string first = fuzzsupport::saved(*fuzzsupport::opened(folder / "input.rmw"),
                                                 folder / "first.rmw");
    const std::string second = fuzzsupport::saved(*fuzzsupport::opened(folder / "first.rmw"),
                                                  folder / "second.rmw");
    fuzzsupport::requireEqual(first, second, "load -> save -> load -> save");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzsupport::FuzzMachine win98("win98");
    static fuzzsupport::FuzzMachine nt4("nt4");
    roundTrip(win98, fuzzsupport::bytesOf(data, size));
    roundTrip(nt4, fuzzsupport::bytesOf(data, size));
    return 0;
}
