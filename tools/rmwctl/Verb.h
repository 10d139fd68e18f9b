#pragma once
// rmwctl's verbs. Each verb group lives in its own source file and registers itself
// with a static VerbRegistration; main() dispatches on the first argument.

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace rmwctl {

// The command line was wrong: exit status 2, the message and the usage on stderr.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A key, value or file is missing, or the machine is unusable: exit status 1 with a
// one-line message on stderr.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Io {
    std::ostream& out;
    std::ostream& err;
};

// ARGS are the arguments after the verb name. Returns the exit status.
using VerbHandler = int (*)(const std::vector<std::string>& args, Io io);

// The texts are string literals: registering every verb is on the path of each start.
struct VerbInfo {
    const char* name;   // e.g. "reg"
    const char* usage;  // lines of help, e.g. "reg query KEY [--value NAME]"
    VerbHandler handler;
};

class VerbRegistration {
public:
    VerbRegistration(const char* name, const char* usage, VerbHandler handler);
};

const std::vector<VerbInfo>& verbs();

// Opens the machine named by ROAMWISE_MACHINE (or the default machine, made on first
// use) and installs its services with the console user interface for the rest of the
// process. Throws Failure when the machine is unusable.
void useMachine(Io io);
// What the verbs work on, as the usage text says it.
const char* machineUsage();

}  // namespace rmwctl
