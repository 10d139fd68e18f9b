// The hosts add-in's HOSTS file rewriting. The input is a HOSTS file. Writing a block
// either refuses the file (damaged markers) or keeps it apart from the block: the block
// reads back as written, writing it again changes nothing, and in a file that had no
// block, removing it again gives back every byte the file had.

#include <string>

#include "addins/hosts/AddInError.h"
#include "addins/hosts/HostEntryRules.h"
#include "addins/hosts/HostsFileBlock.h"
#include "fuzz/support/FuzzCheck.h"

namespace {

using hostsaddin::HostList;

const HostList kEntries = {{"10.0.0.1", {"files", "fs.office"}, "office # server"},
                           {"::1", {"six"}, ""}};

// Every line of INPUT that reads as an acceptable entry reads back the same once written.
void checkLines(std::string_view input) {
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const auto entry = hostsaddin::parseHostLine(input.substr(start, end - start));
        if (entry && hostsaddin::entryProblem(*entry).empty()) {
            const auto again = hostsaddin::parseHostLine(hostsaddin::formatHostLine(*entry));
            fuzzsupport::require(again && *again == *entry, "host line format -> parse");
        }
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzzsupport::bytesOf(data, size);
    checkLines(input);
    std::string written;
    try {
        written = hostsaddin::rewriteHostsBlock(input, kEntries);
    } catch (const hostsaddin::AddInError&) {
        return 0;  // damaged markers: refused, which the tests cover
    }
    fuzzsupport::require(hostsaddin::readHostsBlock(written) == kEntries, "block reads back");
    fuzzsupport::requireEqual(written, hostsaddin::rewriteHostsBlock(written, kEntries),
                              "writing the block again");
    const bool hadBlock = hostsaddin::rewriteHostsBlock(input, {}) != input;
    if (!hadBlock) {
        const std::string removed = hostsaddin::rewriteHostsBlock(written, {});
        fuzzsupport::requireEqual(input, removed.substr(0, input.size()), "bytes around the block");
        fuzzsupport::require(removed.size() <= input.size() + 2, "only a line end added");
    }
    return 0;
}
