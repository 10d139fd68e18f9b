// rmwctl convert: turns a version-1 configuration file into a version-2 one.

#include "converter/ConversionError.h"
#include "converter/ConvertFile.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

int convertVerb(const std::vector<std::string>& args, Io io) {
    if (args.size() != 2) throw UsageError("convert takes a source and a destination file");
    useMachine(io);
    try {
        converter::convertFile(args[0], args[1]);
    } catch (const converter::ConversionError& error) {
        throw Failure(error.what());
    }
    io.out << converter::kConversionComplete << "\n";
    return 0;
}

const VerbRegistration registration(
    "convert",
    "convert SOURCE DEST               convert the version-1 configuration file SOURCE\n"
    "                                  into the version-2 file DEST (replaced if present;\n"
    "                                  Windows paths such as C:\\office.rmw or paths of this\n"
    "                                  computer); SOURCE is only read",
    convertVerb);

}  // namespace
}  // namespace rmwctl
