// rmwctl show / save: the machine's current configuration as Roamwise saves it.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "config/AddInList.h"
#include "config/RmwConfig.h"
#include "config/UnsupportedPlatform.h"
#include "platform/RaisedError.h"
#include "tools/rmwctl/TemporaryPaths.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// The document as the main program has it right after start-up: the machine's current
// settings, every installed group switched on and the others off, no add-ins.
std::unique_ptr<RmwConfig> currentConfiguration(Io io) {
    useMachine(io);
    auto document = std::make_unique<RmwConfig>();
    // The main window switches on exactly the groups whose backend exists.
    document->ApplyGeneral(true);
    document->ApplyIE(document->IEInstalled());
    document->ApplyNN(document->NNInstalled());
    return document;
}

void saveTo(RmwConfig& document, const std::string& file) {
    try {
        document.saveConfigurationFile(file, AddInList());
    } catch (const RaisedError& error) {
        throw Failure("cannot save '" + file + "': " + error.Description());
    }
}

int showVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("show takes no arguments");
    try {
        auto document = currentConfiguration(io);
        const TemporaryPath file(TemporaryPath::Kind::File);
        saveTo(*document, file.path().string());
        std::ifstream saved(file.path(), std::ios::binary);
        io.out << std::string(std::istreambuf_iterator<char>(saved), {});
        io.out.flush();
    } catch (const UnsupportedPlatform&) {
        return 1;  // the console has said so already
    }
    return 0;
}

int saveVerb(const std::vector<std::string>& args, Io io) {
    if (args.size() != 1 || args[0].empty()) throw UsageError("save takes one file name");
    try {
        auto document = currentConfiguration(io);
        saveTo(*document, args[0]);
    } catch (const UnsupportedPlatform&) {
        return 1;
    }
    return 0;
}

const VerbRegistration showRegistration(
    "show",
    "show                              print the machine's current configuration as a\n"
    "                                  .RMW file would hold it",
    showVerb);

const VerbRegistration saveRegistration(
    "save",
    "save FILE                         save the machine's current configuration to FILE\n"
    "                                  (a Windows path such as C:\\office.rmw, or a path of\n"
    "                                  this computer); an existing FILE is replaced",
    saveVerb);

}  // namespace
}  // namespace rmwctl
