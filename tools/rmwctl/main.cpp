// rmwctl: manages the machine (the emulated one, or Windows itself) and Roamwise's
// configuration from the command line.

#include <iostream>

#include "platform/RaisedError.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

std::vector<VerbInfo>& registeredVerbs() {
    static std::vector<VerbInfo> all;
    return all;
}

bool asksForHelp(const std::string& argument) {
    return argument == "--help" || argument == "-h" || argument == "help";
}

void printUsage(std::ostream& stream) {
    stream << "usage: rmwctl VERB [ARGUMENTS]\n\n" << machineUsage() << "\n\n";
    for (const auto& verb : verbs()) stream << verb.usage << "\n";
    stream << "\nMessages that Roamwise shows go to standard error; questions are answered\n"
              "with their default (first) button: OK, Abort, Yes or Retry.\n"
              "Exit status: 0 success, 1 missing key, value or file or unusable machine,\n"
              "2 usage error.\n";
}

}  // namespace

VerbRegistration::VerbRegistration(const char* name, const char* usage, VerbHandler handler) {
    registeredVerbs().push_back({name, usage, handler});
}

const std::vector<VerbInfo>& verbs() { return registeredVerbs(); }

// Runs the verb ARGS name and returns its exit status.
int run(const std::vector<std::string>& args) {
    Io io{std::cout, std::cerr};
    if (args.empty() || asksForHelp(args[0])) {
        printUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    for (const auto& verb : verbs()) {
        if (verb.name != args[0]) continue;
        // "rmwctl VERB --help" documents the verb; later arguments are left to the verb,
        // where "--help" may be a value or a file name.
        if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
            std::cout << verb.usage << "\n";
            return 0;
        }
        try {
            return verb.handler({args.begin() + 1, args.end()}, io);
        } catch (const UsageError& error) {
            std::cerr << "rmwctl: " << error.what() << "\n" << verb.usage << "\n";
            return 2;
        } catch (const Failure& error) {
            std::cerr << "rmwctl: " << error.what() << "\n";
            return 1;
        } catch (const RaisedError& error) {
            std::cerr << "rmwctl: " << error.Source() << ": " << error.Description() << "\n";
            return 1;
        } catch (const std::exception& error) {
            std::cerr << "rmwctl: " << error.what() << "\n";
            return 1;
        }
    }
    std::cerr << "rmwctl: unknown verb '" << args[0] << "'\n";
    printUsage(std::cerr);
    return 2;
}

}  // namespace rmwctl

int main(int argc, char** argv) {
    const int status = rmwctl::run({argv + 1, argv + argc});
    // Output that never arrived (a full disk behind "> backup.reg") is a failure, not
    // a success with a shortened file.
    std::cout.flush();
    if (status == 0 && !std::cout) {
        std::cerr << "rmwctl: cannot write to standard output\n";
        return 1;
    }
    return status;
}
