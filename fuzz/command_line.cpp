// rmw's command line: however it is written, splitting gives at most the asked number
// of arguments, none holding a double quote, and together they hold only the line's
// own characters, in order.

#include <algorithm>
#include <string>
#include <vector>

#include "app/logic/main/CommandLine.h"
#include "app/logic/main/frmMain.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The window asks the machine's drive whether the whole line names a file.
    static fuzzsupport::FuzzMachine machine("win98");
    static const bool installed = (machine.fresh(), true);
    (void)installed;
    if (size == 0) return 0;
    const int maxArgs = data[0] % 12;
    const std::string line(fuzzsupport::bytesOf(data + 1, size - 1));
    const std::string unquoted = withoutQuotes(line);
    fuzzsupport::require(unquoted.find('"') == std::string::npos, "a quote left by withoutQuotes");
    for (const auto& args : {splitCommandLine(line, maxArgs), frmMain::GetCommandLine(line, maxArgs)}) {
        fuzzsupport::require(args.size() <= static_cast<std::size_t>(std::max(maxArgs, 1)),
                             "more arguments than asked for");
        std::size_t at = 0;
        for (const auto& arg : args) {
            fuzzsupport::require(arg.find('"') == std::string::npos, "a quote in an argument");
            // Each argument is a stretch of the unquoted line, after the previous one.
            const auto found = arg.empty() ? at : unquoted.find(arg, at);
            fuzzsupport::require(found != std::string::npos, "an argument not in the line");
            at = found + arg.size();
        }
    }
    return 0;
}
