// rmwctl addin: registers add-in libraries (their self-registration in the object
// registry and their entries in the settings store), removes them, switches them on and
// off, and lists what is registered and whether it can be created on this machine.

#include <cctype>
#include <filesystem>

#include "config/AddInClasses.h"
#include "config/AddInRegistration.h"
#include "config/SystemVersions.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// Whether TEXT is a Windows path with a drive letter ("C:\...").
bool isWindowsPath(const std::string& text) {
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           text[1] == ':' && text[2] == '\\';
}

// The library as the machine sees it: a Windows path stays as it is, a native path of
// this computer becomes the machine path it stands for.
std::string machinePathOf(const std::string& library) {
    if (library.empty() || isWindowsPath(library)) return library;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(library, error);
    return platform::files().toWindows(error ? std::filesystem::path(library) : absolute);
}

// Why the add-in cannot be created here, or "" when it can.
std::string creationProblem(const AddInRegistration& addIn, const std::string& platformName) {
    if (addIn.classId.empty()) return "no class registered";
    if (!addIn.eligibleOn(platformName)) return "registered for another platform";
    try {
        createAddInObject(addIn.classId);
        return "";
    } catch (const RaisedError& error) {
        return error.Description();
    } catch (const std::exception& error) {
        return error.what();
    }
}

int listAddIns(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("addin list takes no arguments");
    useMachine(io);
    const std::string platformName = getOSPlatform();
    io.out << "NAME\tCLASS\tOS\tACTIVE\tFILE\tVERSION\tCREATABLE\n";
    for (const AddInRegistration& addIn : addins::registrations()) {
        const std::string problem = creationProblem(addIn, platformName);
        io.out << addIn.name << "\t" << addIn.classId << "\t" << addIn.os << "\t"
               << (addIn.active ? "on" : "off") << "\t"
               << addIn.file.value_or("<no file specified>") << "\t"
               << addIn.version.value_or("<no version specified>") << "\t"
               << (problem.empty() ? "yes" : "no: " + problem) << "\n";
    }
    return 0;
}

int registerAddIn(const std::vector<std::string>& args, Io io) {
    std::string library, name, os = "*";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--name" && hasValue) {
            name = args[++i];
            if (name.empty()) throw UsageError("--name needs a name");
        } else if (args[i] == "--os" && hasValue) {
            os = args[++i];
        } else if (args[i].rfind("--", 0) == 0 || !library.empty()) {
            throw UsageError("addin register takes LIBRARY [--name NAME] [--os 95|NT|*]");
        } else {
            library = args[i];
        }
    }
    if (library.empty()) throw UsageError("addin register needs the LIBRARY");
    if (os != "*" && os != "95" && os != "NT" && os != "nt") {
        throw UsageError("--os takes 95, NT or *, not '" + os + "'");
    }
    useMachine(io);
    try {
        const AddInRegistration addIn =
            addinregistry::registerLibrary(machinePathOf(library), name, os);
        io.out << "registered " << addIn.name << " (" << addIn.classId << ", version "
               << addIn.version.value_or("") << ") from " << addIn.file.value_or("") << "\n";
    } catch (const RaisedError& error) {
        throw Failure("cannot register " + library + ": " + error.Description());
    }
    return 0;
}

int unregisterAddIn(const std::vector<std::string>& args, Io io) {
    if (args.size() != 1) throw UsageError("addin unregister takes NAME");
    useMachine(io);
    try {
        addinregistry::unregisterAddIn(args[0]);
    } catch (const RaisedError& error) {
        throw Failure("cannot unregister " + args[0] + ": " + error.Description());
    }
    return 0;
}

int switchAddIn(const std::vector<std::string>& args, Io io, bool active) {
    if (args.size() != 1) throw UsageError(std::string("addin ") + (active ? "enable" : "disable") +
                                           " takes NAME");
    useMachine(io);
    try {
        addinregistry::setActive(args[0], active);
    } catch (const RaisedError& error) {
        throw Failure(error.Description());
    }
    return 0;
}

int addinVerb(const std::vector<std::string>& args, Io io) {
    if (args.empty()) throw UsageError("addin needs list, register, unregister, enable or disable");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "list") return listAddIns(rest, io);
    if (args[0] == "register") return registerAddIn(rest, io);
    if (args[0] == "unregister") return unregisterAddIn(rest, io);
    if (args[0] == "enable") return switchAddIn(rest, io, true);
    if (args[0] == "disable") return switchAddIn(rest, io, false);
    throw UsageError("unknown addin command '" + args[0] + "'");
}

const VerbRegistration registration(
    "addin",
    "addin list                        the registered add-ins: name, class, platform, on/off,\n"
    "                                  file, version and whether it can be created here\n"
    "addin register LIBRARY [--name NAME] [--os 95|NT|*]\n"
    "                                  install an add-in library (a machine path such as\n"
    "                                  C:\\Program Files\\X\\x.so, or a path of this computer):\n"
    "                                  its self-registration and its settings, switched on\n"
    "addin unregister NAME             remove an add-in and its library's registration\n"
    "addin enable NAME                 switch an add-in on\n"
    "addin disable NAME                switch an add-in off",
    addinVerb);

}  // namespace
}  // namespace rmwctl
