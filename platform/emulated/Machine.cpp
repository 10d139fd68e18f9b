#include "platform/emulated/Machine.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "platform/AsciiText.h"
#include "platform/emulated/ApplyLock.h"
#include "platform/emulated/ApplyTransaction.h"
#include "platform/emulated/DesktopShell.h"
#include "platform/emulated/EventLog.h"
#include "platform/emulated/EventLogPower.h"
#include "platform/emulated/MachineLibraries.h"
#include "platform/emulated/MachineDescriptionFile.h"
#include "platform/emulated/MachinePaths.h"
#include "platform/emulated/MachineProcesses.h"
#include "platform/emulated/MachineSystemInfo.h"
#include "platform/emulated/ProfileFiles.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/RegistryPrinters.h"
#include "platform/emulated/SqliteRegistry.h"
#include "platform/emulated/TemplateFiles.h"

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

constexpr const char* kRegistryFile = "registry.db";
constexpr const char* kDescriptionFile = "machine.ini";
constexpr const char* kDriveFolder = "drive_c";
constexpr const char* kEventLogFile = "events.log";
// The machine's own bookkeeping: the apply lock, staged files, undo snapshots.
constexpr const char* kStateFolder = "state";

std::string readWholeFile(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) throw MachineError("cannot read " + file.string());
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

void writeWholeFile(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream) throw MachineError("cannot write " + file.string());
}

bool holdsMachine(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder / kDescriptionFile, error);
}

bool isEmptyOrMissing(const fs::path& folder) {
    std::error_code error;
    if (!fs::exists(folder, error)) return true;
    return fs::is_directory(folder, error) && fs::is_empty(folder, error);
}

// The folders every Windows installation has, which a template cannot carry empty.
void makeStandardFolders(const fs::path& folder) {
    const MachineDescription description =
        parseMachineDescription(readWholeFile(folder / kDescriptionFile), kDescriptionFile);
    const fs::path drive = folder / kDriveFolder;
    fs::create_directories(drive / "Program Files");
    if (description.isNT()) {
        fs::create_directories(drive / "TEMP");
        fs::create_directories(drive / "WINNT" / "INF");
        fs::create_directories(drive / "WINNT" / "Profiles" / "All Users" / "Start Menu" / "Programs");
    } else {
        fs::create_directories(drive / "WINDOWS" / "TEMP");
        fs::create_directories(drive / "WINDOWS" / "INF");
        fs::create_directories(drive / "WINDOWS" / "Start Menu" / "Programs");
    }
}

// Fills FOLDER with the machine of template NAME.
void writeTemplate(const std::string& name, const fs::path& folder) {
    fs::create_directories(folder / kDriveFolder);
    writeWholeFile(folder / kEventLogFile, "");
    bool described = false;
    for (const auto& file : templateFiles()) {
        if (file.templateName != name) continue;
        if (file.path == "registry.reg") {
            RegistryDatabase database(folder / kRegistryFile);
            RegFileImporter(database).importBytes(file.bytes, "template " + name + " registry.reg");
        } else {
            if (file.path == kDescriptionFile) {
                parseMachineDescription(file.bytes, "template " + name + " machine.ini");
                described = true;
            }
            writeWholeFile(folder / fs::path(std::string(file.path)), file.bytes);
        }
    }
    if (!described) throw MachineError("template " + name + " has no machine.ini");
    makeStandardFolders(folder);
    // A template without registry entries still gives a registry with its roots.
    if (!fs::exists(folder / kRegistryFile)) RegistryDatabase database(folder / kRegistryFile);
}

}  // namespace

struct Machine::Impl {
    fs::path folder;
    MachineDescription description;
    // Before the registry, whose apply transaction uses them until it goes.
    StagedFiles staging;
    std::unique_ptr<ApplyLock> applyLock;
    std::unique_ptr<SqliteRegistry> registry;
    std::unique_ptr<MachinePaths> paths;
    std::unique_ptr<MachineSystemInfo> system;
    std::unique_ptr<ProfileFiles> profiles;
    std::unique_ptr<RegistryPrinters> printers;
    std::unique_ptr<EventLog> eventLog;
    std::unique_ptr<EventLogPower> power;
    std::unique_ptr<DesktopShell> shell;
    std::unique_ptr<MachineProcesses> processes;
    std::unique_ptr<MachineLibraries> libraries;

    // The services that stand on the registry and the drive.
    void openFileServices() {
        paths = std::make_unique<MachinePaths>(folder / kDriveFolder);
        paths->useStaging(staging);
        system = std::make_unique<MachineSystemInfo>(description, *paths);
        profiles = std::make_unique<ProfileFiles>(
            *paths, system->GetWindowsDirectoryA() + "\\win.ini", &staging);
        if (description.isNT()) profiles->mapWindowsSectionToRegistry(*registry);
        printers = std::make_unique<RegistryPrinters>(*registry, *profiles);
        eventLog = std::make_unique<EventLog>(folder / kEventLogFile);
        power = std::make_unique<EventLogPower>(*eventLog);
        shell = std::make_unique<DesktopShell>(*paths, *eventLog);
        processes = std::make_unique<MachineProcesses>(*paths, *shell, *eventLog);
        libraries = std::make_unique<MachineLibraries>(*paths);
    }
};

Machine::Machine(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Machine::~Machine() = default;

std::vector<std::string> Machine::templateNames() {
    std::set<std::string> names;
    for (const auto& file : templateFiles()) names.emplace(file.templateName);
    return {names.begin(), names.end()};
}

fs::path Machine::defaultFolder() {
    const char* named = std::getenv("ROAMWISE_MACHINE");
    if (named != nullptr && *named != '\0') return named;
    const char* data = std::getenv("XDG_DATA_HOME");
    // The XDG rules ignore a relative data directory.
    if (data != nullptr && *data == '/') return fs::path(data) / "roamwise" / "machine";
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        throw MachineError("no machine: set ROAMWISE_MACHINE or HOME");
    }
    return fs::path(home) / ".local" / "share" / "roamwise" / "machine";
}

std::unique_ptr<Machine> Machine::create(const fs::path& requested,
                                         const std::string& templateName) {
    auto names = templateNames();
    if (std::find(names.begin(), names.end(), templateName) == names.end()) {
        std::string known;
        for (const auto& name : names) known += (known.empty() ? "" : ", ") + name;
        throw MachineError("unknown machine template \"" + templateName + "\" (known: " + known +
                           ")");
    }
    fs::path folder = fs::absolute(requested).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    if (holdsMachine(folder)) throw MachineError(folder.string() + " already holds a machine");
    std::error_code ignored;
    if (fs::exists(folder, ignored) && !fs::is_directory(folder, ignored)) {
        throw MachineError(folder.string() + " is a file, not a folder");
    }
    if (!isEmptyOrMissing(folder)) {
        throw MachineError(folder.string() + " is not empty and holds no machine");
    }
    // The machine is made beside its folder and moved in whole, so no process ever
    // sees half a machine, and of two processes making the same one only one wins.
    fs::path staging = folder.parent_path() /
                       concat({".", folder.filename().string(), ".new-", std::to_string(getpid())});
    std::error_code error;
    try {
        fs::remove_all(staging);
        fs::create_directories(staging);
        writeTemplate(templateName, staging);
        fs::create_directories(folder.parent_path());
        fs::rename(staging, folder);
    } catch (const fs::filesystem_error& failure) {
        fs::remove_all(staging, error);
        if (holdsMachine(folder)) throw MachineError(folder.string() + " already holds a machine");
        throw MachineError("cannot create the machine " + folder.string() + ": " +
                           failure.code().message());
    } catch (const std::exception& failure) {
        fs::remove_all(staging, error);
        throw MachineError("cannot create the machine " + folder.string() + ": " + failure.what());
    }
    return open(folder);
}

std::unique_ptr<Machine> Machine::open(const fs::path& requested) {
    fs::path folder = fs::absolute(requested).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    if (!holdsMachine(folder)) {
        throw MachineError(folder.string() + " is not a machine (it has no machine.ini)");
    }
    auto impl = std::make_unique<Impl>();
    impl->folder = folder;
    impl->description = parseMachineDescription(readWholeFile(folder / kDescriptionFile),
                                                (folder / kDescriptionFile).string());
    if (!fs::exists(folder / kRegistryFile)) {
        throw MachineError(folder.string() + " is not a machine (it has no registry.db)");
    }
    try {
        impl->registry =
            std::make_unique<SqliteRegistry>(folder / kRegistryFile, impl->description.isNT());
    } catch (const DatabaseError& failure) {
        throw MachineError((folder / kRegistryFile).string() + ": " + failure.what());
    }
    std::error_code error;
    fs::create_directories(folder / kDriveFolder, error);
    impl->openFileServices();
    impl->applyLock = std::make_unique<ApplyLock>(folder / kStateFolder / "apply.lock");
    impl->system->useStateFolder((folder / kStateFolder).string());
    impl->registry->attachTransaction(std::make_unique<ApplyTransaction>(
        impl->registry->database(), folder, folder / kStateFolder, *impl->applyLock,
        impl->staging, *impl->paths));
    // An apply killed between its registry commit and its file renames is finished now.
    impl->registry->applyTransaction()->recover();
    return std::unique_ptr<Machine>(new Machine(std::move(impl)));
}

namespace {

// The registry database and the files SQLite keeps beside it while it is open.
bool isRegistryFile(const fs::path& name) {
    return name.string().rfind(kRegistryFile, 0) == 0;
}

void copyMachineFiles(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    if (!fs::is_empty(to)) throw MachineError(to.string() + " is not empty");
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        if (isRegistryFile(entry.path().filename())) continue;
        if (entry.path().filename() == kStateFolder) continue;  // belongs to the original
        fs::copy(entry.path(), to / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
}

}  // namespace

std::unique_ptr<Machine> Machine::copyTo(const fs::path& requested) const {
    const fs::path folder = fs::absolute(requested).lexically_normal();
    const auto removeCopy = [&folder] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    };
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_empty(folder, error))
        throw MachineError("cannot copy the machine to " + folder.string() + ": it is not empty");
    try {
        copyMachineFiles(impl_->folder, folder);
        impl_->registry->database().backupTo(folder / kRegistryFile);
        return open(folder);
    } catch (const fs::filesystem_error& failure) {
        removeCopy();
        throw MachineError("cannot copy the machine " + impl_->folder.string() + " to " +
                           folder.string() + ": " + failure.code().message());
    } catch (const DatabaseError& failure) {
        removeCopy();
        throw MachineError(failure.what());
    } catch (...) {
        removeCopy();
        throw;
    }
}

std::unique_ptr<Machine> Machine::openDefault() {
    fs::path folder = defaultFolder();
    const char* named = std::getenv("ROAMWISE_MACHINE");
    bool perUser = named == nullptr || *named == '\0';
    // Only the per-user machine is made on first use; a folder named on purpose must
    // already hold one, so that a mistyped name never yields a fresh machine.
    if (perUser && !holdsMachine(folder)) {
        try {
            return create(folder, "win98");
        } catch (const MachineError&) {
            if (!holdsMachine(folder)) throw;  // another process made it meanwhile otherwise
        }
    }
    return open(folder);
}

const fs::path& Machine::folder() const {
    return impl_->folder;
}
fs::path Machine::stateFolder() const {
    return impl_->folder / kStateFolder;
}
ApplyLock& Machine::applyLock() {
    return *impl_->applyLock;
}
const MachineDescription& Machine::description() const {
    return impl_->description;
}
fs::path Machine::driveC() const {
    return impl_->folder / kDriveFolder;
}
fs::path Machine::eventLogFile() const {
    return impl_->folder / kEventLogFile;
}
SqliteRegistry& Machine::registry() {
    return *impl_->registry;
}

Services Machine::services() {
    Services services;
    services.registry = impl_->registry.get();
    services.system = impl_->system.get();
    services.files = impl_->paths.get();
    services.profiles = impl_->profiles.get();
    services.printers = impl_->printers.get();
    services.power = impl_->power.get();
    services.shell = impl_->shell.get();
    services.processes = impl_->processes.get();
    services.libraries = impl_->libraries.get();
    return services;
}

}  // namespace platform::emulated
