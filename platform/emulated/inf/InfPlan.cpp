#include "platform/emulated/inf/InfPlan.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/Win32.h"
#include "platform/emulated/inf/InfRegistry.h"

namespace platform::emulated::inf {
namespace fs = std::filesystem;
namespace {

// CopyFiles flags (COPYFLG_*) this installer acts on or may ignore because they only
// concern dialogs, versions or files in use.
constexpr long kNoOverwrite = 0x10;
constexpr long kOverwriteOlderOnly = 0x40;
constexpr long kReplaceOnly = 0x400;
constexpr long kKnownCopyFlags = 0x1 | 0x2 | 0x4 | 0x8 | kNoOverwrite | 0x20 | kOverwriteOlderOnly |
                                 kReplaceOnly | 0x800 | 0x1000 | 0x2000;
// ProfileItems name attributes (FLG_PROFITEM_*).
constexpr long kCurrentUser = 0x1;
constexpr long kDelete = 0x2;
constexpr long kGroup = 0x4;

const char* const kInstallDirectives[] = {"CopyFiles",        "DelFiles",   "DelDirs",    "AddReg",
                                          "DelReg",           "UpdateInis",         "ProfileItems",
                                          "CustomDestination", "RunPreSetupCommands",
                                          "RunPostSetupCommands"};

bool isDirective(const std::string& key) {
    for (const char* known : kInstallDirectives)
        if (equalsIgnoringCase(key, known)) return true;
    return false;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (name.empty()) return folder;
    if (folder.empty()) return name;
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The folder that holds the program group's entries: the Start Menu's Programs folder
// of all users or of the current user, as Explorer's Shell Folders key names it.
std::string programsFolder(bool currentUser) {
    const bool nt = win32::GetWindowsDirectoryA().find("WINNT") != std::string::npos;
    win32::HKEY key = 0;
    const win32::HKEY root = currentUser || !nt ? win32::HKEY_CURRENT_USER : win32::HKEY_LOCAL_MACHINE;
    const char* name = currentUser || !nt ? "Programs" : "Common Programs";
    if (win32::RegOpenKeyExA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                             0, win32::KEY_READ, &key) == win32::ERROR_SUCCESS) {
        char data[260] = {};
        win32::DWORD size = sizeof data;
        win32::DWORD type = 0;
        const auto result = win32::RegQueryValueExA(key, name, nullptr, &type,
                                                    reinterpret_cast<win32::BYTE*>(data), &size);
        win32::RegCloseKey(key);
        if (result == win32::ERROR_SUCCESS && type == win32::REG_SZ)
            return stripTerminator(std::string_view(data, size));
    }
    const std::string windows = win32::GetWindowsDirectoryA();
    if (!nt) return windows + "\\Start Menu\\Programs";
    if (currentUser) throw std::invalid_argument("the current user's Programs folder is not known");
    return windows + "\\Profiles\\All Users\\Start Menu\\Programs";
}

bool makeFolders(const std::string& windowsFolder) {
    std::error_code error;
    fs::create_directories(platform::files().toNative(windowsFolder), error);
    return fs::is_directory(platform::files().toNative(windowsFolder), error);
}

}  // namespace

std::string expandInfText(const InfFile& inf, const InfDirectories& directories,
                          const std::string& text, int line) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result += text[i];
            continue;
        }
        const std::size_t end = text.find('%', i + 1);
        if (end == std::string::npos) throw InfError(inf.fileName(), line, "a % has no closing %");
        const std::string name = text.substr(i + 1, end - i - 1);
        i = end;
        if (name.empty()) {
            result += '%';
        } else if (auto string = inf.string(name)) {
            result += *string;
        } else if (auto dirid = parseInfNumber(name)) {
            auto folder = directories.folder(*dirid);
            if (!folder) throw InfError(inf.fileName(), line, "unknown directory id %" + name + "%");
            result += *folder;
        } else {
            throw InfError(inf.fileName(), line, "[Strings] has no entry %" + name + "%");
        }
    }
    return result;
}

struct InfPlan::Context {
    const InfFile& inf;
    const InfDirectories& directories;
    std::vector<InfStep> deleteFiles, deleteFolders, copyFiles, deleteRegistry, addRegistry, inis, profileItems,
        commands, preCommands;

    [[noreturn]] void fail(int line, const std::string& what) const {
        throw InfError(inf.fileName(), line, what);
    }
    std::string expand(const std::string& text, int line) const {
        return expandInfText(inf, directories, text, line);
    }
    std::vector<std::string> expanded(const InfLine& line) const {
        std::vector<std::string> values;
        for (const auto& value : line.values) values.push_back(expand(value, line.number));
        return values;
    }
    const InfSection& sectionNamed(const std::string& name, int line) const {
        const InfSection* section = inf.section(name);
        if (section == nullptr) fail(line, "the section [" + name + "] does not exist");
        return *section;
    }
    std::string folderOf(const std::string& dirid, const std::string& subfolder, int line) const {
        const auto id = parseInfNumber(expand(dirid, line));
        if (!id) fail(line, "\"" + dirid + "\" is no directory id");
        const auto folder = directories.folder(*id);
        if (!folder) fail(line, "unknown directory id " + dirid);
        return joinPath(*folder, expand(subfolder, line));
    }

    // The destination folder of a file-list section: its [DestinationDirs] entry, else
    // DefaultDestDir, else the Windows folder.
    std::string destinationOf(const std::string& listName, int line) const {
        const InfSection* dirs = inf.section("DestinationDirs");
        const InfLine* fallback = nullptr;
        if (dirs != nullptr) {
            for (const auto& entry : dirs->lines) {
                if (!entry.key) fail(entry.number, "a [DestinationDirs] entry has no name");
                if (equalsIgnoringCase(*entry.key, listName))
                    return folderOf(entry.value(0), entry.value(1), entry.number);
                if (equalsIgnoringCase(*entry.key, "DefaultDestDir") && fallback == nullptr) fallback = &entry;
            }
        }
        if (fallback != nullptr) return folderOf(fallback->value(0), fallback->value(1), fallback->number);
        return folderOf("10", "", line);
    }

    // Where the installer finds SOURCE: the INF's folder, below the subfolder that
    // [SourceDisksFiles] (and the disk's path in [SourceDisksNames]) give it.
    std::string sourceOf(const std::string& source, int line) const {
        std::string folder = folderOf("1", "", line);
        const InfSection* files = inf.section("SourceDisksFiles");
        if (files == nullptr) return joinPath(folder, source);
        for (const auto& entry : files->lines) {
            if (!entry.key || !equalsIgnoringCase(*entry.key, source)) continue;
            if (const InfSection* disks = inf.section("SourceDisksNames")) {
                for (const auto& disk : disks->lines) {
                    if (disk.key && *disk.key == entry.value(0))
                        folder = joinPath(folder, expand(disk.value(3), disk.number));
                }
            }
            return joinPath(joinPath(folder, expand(entry.value(1), entry.number)), source);
        }
        fail(line, "[SourceDisksFiles] has no entry for " + source);
    }

    void addCopy(const std::string& destFolder, const std::string& dest, const std::string& source,
                 long flags, int line) {
        if (flags & ~kKnownCopyFlags) fail(line, "unknown CopyFiles flags");
        const std::string from = sourceOf(source, line);
        if (!platform::files().fileExists(from)) fail(line, "the source file " + from + " does not exist");
        const std::string to = joinPath(destFolder, dest);
        copyFiles.push_back({"CopyFiles " + from + " -> " + to, [from, to, flags] {
            auto& files = platform::files();
            const fs::path target = files.toNative(to);
            std::error_code error;
            const bool exists = fs::exists(target, error);
            if ((flags & kNoOverwrite) && exists) return true;
            if ((flags & kReplaceOnly) && !exists) return true;
            if ((flags & kOverwriteOlderOnly) && exists &&
                fs::last_write_time(target, error) >= fs::last_write_time(files.toNative(from), error))
                return true;
            if (!makeFolders(parentOf(to))) return false;
            return fs::copy_file(files.toNative(from), files.toNative(to),
                                 fs::copy_options::overwrite_existing, error);
        }});
    }

    void copyFilesDirective(const InfLine& directive) {
        for (const std::string& name : expanded(directive)) {
            if (!name.empty() && name[0] == '@') {
                const std::string file = name.substr(1);
                addCopy(destinationOf("DefaultDestDir", directive.number), file, file, 0, directive.number);
                continue;
            }
            const InfSection& list = sectionNamed(name, directive.number);
            const std::string folder = destinationOf(list.name, directive.number);
            for (const auto& entry : list.lines) {
                if (entry.key) fail(entry.number, "a file list entry has no place for \"=\"");
                const auto values = expanded(entry);
                const std::string dest = values.empty() ? std::string() : values[0];
                if (dest.empty()) fail(entry.number, "the file name is empty");
                const std::string source = values.size() > 1 && !values[1].empty() ? values[1] : dest;
                long flags = 0;
                if (values.size() > 3 && !values[3].empty()) {
                    auto number = parseInfNumber(values[3]);
                    if (!number) fail(entry.number, "\"" + values[3] + "\" is no flags value");
                    flags = *number;
                }
                addCopy(folder, dest, source, flags, entry.number);
            }
        }
    }

    void delFilesDirective(const InfLine& directive) {
        for (const std::string& name : expanded(directive)) {
            const InfSection& list = sectionNamed(name, directive.number);
            const std::string folder = destinationOf(list.name, directive.number);
            for (const auto& entry : list.lines) {
                if (entry.key || entry.value(0).empty()) fail(entry.number, "a file list entry names no file");
                const std::string path = joinPath(folder, expand(entry.value(0), entry.number));
                deleteFiles.push_back({"DelFiles " + path, [path] {
                    if (!platform::files().fileExists(path)) return true;
                    return platform::files().deleteFile(path);
                }});
            }
        }
    }

    // Advanced INF's DelDirs: each line names a folder, removed when it is empty.
    void delDirsDirective(const InfLine& directive) {
        for (const std::string& name : expanded(directive)) {
            for (const auto& entry : sectionNamed(name, directive.number).lines) {
                const std::string folder = expand(entry.text, entry.number);
                if (folder.empty()) fail(entry.number, "the line names no folder");
                deleteFolders.push_back({"DelDirs " + folder, [folder] {
                    std::error_code error;
                    const fs::path native = platform::files().toNative(folder);
                    if (fs::is_directory(native, error) && fs::is_empty(native, error)) fs::remove(native, error);
                    return true;
                }});
            }
        }
    }

    void registryDirective(const InfLine& directive, bool add) {
        for (const std::string& name : expanded(directive)) {
            const InfSection& list = sectionNamed(name, directive.number);
            for (const auto& entry : list.lines) {
                if (entry.key) fail(entry.number, "a registry entry has no place for \"=\"");
                RegistryChange change;
                try {
                    change = add ? addRegChange(expanded(entry)) : delRegChange(expanded(entry));
                } catch (const std::invalid_argument& fault) {
                    fail(entry.number, fault.what());
                }
                (add ? addRegistry : deleteRegistry).push_back({change.describe(), [change] { return change.apply(); }});
            }
        }
    }

    // "ini file, section, old entry, new entry, flags": flags 0 removes the old entry's
    // key, 1 only when its value matches too; the new entry is written afterwards.
    void updateInisDirective(const InfLine& directive) {
        for (const std::string& name : expanded(directive)) {
            const InfSection& list = sectionNamed(name, directive.number);
            for (const auto& entry : list.lines) {
                const auto values = expanded(entry);
                if (entry.key || values.size() < 2 || values[0].empty() || values[1].empty())
                    fail(entry.number, "an UpdateInis entry needs a file and a section");
                const long flags = values.size() > 4 && !values[4].empty() ? parseInfNumber(values[4]).value_or(-1) : 0;
                if (flags != 0 && flags != 1) fail(entry.number, "unknown UpdateInis flags");
                // An INI file named without a folder lives in the Windows folder.
                const std::string file = values[0].find('\\') == std::string::npos
                                             ? win32::GetWindowsDirectoryA() + "\\" + values[0]
                                             : values[0];
                const std::string section = values[1];
                auto split = [&](const std::string& text) {
                    const std::size_t equals = text.find('=');
                    if (equals == std::string::npos) fail(entry.number, "\"" + text + "\" is no key=value entry");
                    return std::pair{std::string(trimBlanks(text.substr(0, equals))),
                                     std::string(trimBlanks(text.substr(equals + 1)))};
                };
                if (values.size() > 2 && !values[2].empty()) {
                    const auto [key, value] = split(values[2]);
                    inis.push_back({"UpdateInis " + file + " [" + section + "] -" + key, [=] {
                        const std::string current = win32::GetPrivateProfileStringA(section, key, "\x01", file);
                        if (current == "\x01" || (flags == 1 && current != value)) return true;
                        return win32::WritePrivateProfileStringA(section, key, std::nullopt, file) != 0;
                    }});
                }
                if (values.size() > 3 && !values[3].empty()) {
                    const auto [key, value] = split(values[3]);
                    inis.push_back({"UpdateInis " + file + " [" + section + "] " + key + "=" + value, [=] {
                        return win32::WritePrivateProfileStringA(section, key, value, file) != 0;
                    }});
                }
            }
        }
    }

    // A program-group entry: Name=name[,attributes], CmdLine=dirid,[subdir],file,
    // SubDir=group, WorkingDir=dirid[,subdir], InfoTip, IconPath, IconIndex, HotKey.
    // The emulated machine keeps a shortcut as a small profile-string file.
    void profileItemsDirective(const InfLine& directive) {
        for (const std::string& name : expanded(directive)) {
            const InfSection& item = sectionNamed(name, directive.number);
            std::map<std::string, const InfLine*> keys;
            for (const auto& entry : item.lines) {
                static const char* const known[] = {"Name", "CmdLine", "SubDir", "WorkingDir", "InfoTip",
                                                    "IconPath", "IconIndex", "HotKey", "DisplayResource"};
                bool ok = false;
                for (const char* key : known) ok = ok || (entry.key && equalsIgnoringCase(*entry.key, key));
                if (!ok) fail(entry.number, "unknown ProfileItems entry");
                keys[upperAscii(*entry.key)] = &entry;
            }
            if (!keys.count("NAME")) fail(item.number, "the ProfileItems section has no Name");
            const InfLine& nameLine = *keys["NAME"];
            const std::string linkName = expand(nameLine.value(0), nameLine.number);
            const long attributes = nameLine.values.size() > 1 ? parseInfNumber(nameLine.value(1)).value_or(-1) : 0;
            if (attributes < 0 || (attributes & ~0xF)) fail(nameLine.number, "unknown ProfileItems attributes");
            std::string folder;
            try {
                folder = programsFolder(attributes & kCurrentUser);
            } catch (const std::invalid_argument& fault) {
                fail(nameLine.number, fault.what());
            }
            if (keys.count("SUBDIR")) folder = joinPath(folder, expand(keys["SUBDIR"]->value(0), keys["SUBDIR"]->number));
            if (attributes & kGroup) {
                const std::string group = joinPath(folder, linkName);
                if (attributes & kDelete) {
                    profileItems.push_back({"ProfileItems remove group " + group, [group] {
                        std::error_code error;
                        const fs::path native = platform::files().toNative(group);
                        if (fs::is_directory(native, error) && fs::is_empty(native, error)) fs::remove(native, error);
                        return true;
                    }});
                } else {
                    profileItems.push_back({"ProfileItems group " + group, [group] { return makeFolders(group); }});
                }
                continue;
            }
            const std::string link = joinPath(folder, linkName + ".lnk");
            if (attributes & kDelete) {
                profileItems.push_back({"ProfileItems remove " + link, [link] {
                    return !platform::files().fileExists(link) || platform::files().deleteFile(link);
                }});
                continue;
            }
            if (!keys.count("CMDLINE")) fail(item.number, "the ProfileItems section has no CmdLine");
            const InfLine& command = *keys["CMDLINE"];
            const std::string target = joinPath(folderOf(command.value(0), command.value(1), command.number),
                                                expand(command.value(2), command.number));
            std::string workingDir = parentOf(target);
            if (keys.count("WORKINGDIR"))
                workingDir = folderOf(keys["WORKINGDIR"]->value(0), keys["WORKINGDIR"]->value(1), keys["WORKINGDIR"]->number);
            const std::string tip = keys.count("INFOTIP") ? expand(keys["INFOTIP"]->value(0), keys["INFOTIP"]->number) : "";
            const std::string text = concat({"[Shortcut]\r\nTarget=", target, "\r\nWorkingDirectory=", workingDir,
                                             "\r\nInfoTip=", tip, "\r\n"});
            profileItems.push_back({"ProfileItems " + link + " -> " + target, [link, text] {
                return makeFolders(parentOf(link)) && platform::files().writeWholeFile(link, text);
            }});
        }
    }

    void commandsDirective(const InfLine& directive, bool post) {
        for (const std::string& name : expanded(directive)) {
            const InfSection& list = sectionNamed(name, directive.number);
            for (const auto& entry : list.lines) {
                const std::string command = expand(entry.text, entry.number);
                (post ? commands : preCommands).push_back({"Run " + command, [command] {
                    win32::PROCESS_INFORMATION process;
                    if (!win32::CreateProcessA(command, 0, "", win32::SW_SHOWDEFAULT, &process)) return false;
                    win32::WaitForSingleObject(process.hProcess, win32::INFINITE);
                    win32::CloseHandle(process.hProcess);
                    return true;
                }});
            }
        }
    }
};

std::vector<DestinationQuery> InfPlan::destinations(const InfFile& inf, const std::string& sectionName,
                                                    const InfDirectories& directories) {
    Context context{inf, directories, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    std::vector<DestinationQuery> queries;
    const InfSection& install = context.sectionNamed(sectionName, 0);
    for (const auto& directive : install.lines) {
        if (!directive.key || !equalsIgnoringCase(*directive.key, "CustomDestination")) continue;
        for (const std::string& name : context.expanded(directive)) {
            for (const auto& entry : context.sectionNamed(name, directive.number).lines) {
                DestinationQuery query;
                if (!entry.key) context.fail(entry.number, "a CustomDestination entry names no directory ids");
                std::string ids = *entry.key + ",";
                for (std::size_t start = 0, comma; (comma = ids.find(',', start)) != std::string::npos; start = comma + 1) {
                    auto id = parseInfNumber(ids.substr(start, comma - start));
                    if (!id || !InfDirectories::isCustom(*id)) context.fail(entry.number, "custom directory ids lie between 49000 and 49999");
                    query.dirids.push_back(*id);
                }
                // Flag bit 0 asks the user; without it the folder is taken as proposed.
                const auto flags = entry.values.size() > 1 ? parseInfNumber(entry.value(1)) : std::optional<long>(1);
                if (!flags) context.fail(entry.number, "\"" + entry.value(1) + "\" is no flags value");
                query.ask = *flags & 1;
                const InfSection& where = context.sectionNamed(entry.value(0), entry.number);
                if (where.lines.empty()) context.fail(where.number, "the section names no folder");
                const InfLine& line = where.lines.front();
                const auto values = context.expanded(line);
                const auto root = infRootKey(line.value(0));
                if (!root) context.fail(line.number, "unknown root key \"" + line.value(0) + "\"");
                auto at = [&values](std::size_t i) { return i < values.size() ? values[i] : std::string(); };
                query.prompt = at(3);
                query.proposed = at(4);
                win32::HKEY key = 0;
                if (win32::RegOpenKeyExA(*root, at(1).c_str(), 0, win32::KEY_READ, &key) == win32::ERROR_SUCCESS) {
                    char data[260] = {};
                    win32::DWORD size = sizeof data;
                    win32::DWORD type = 0;
                    if (win32::RegQueryValueExA(key, at(2).c_str(), nullptr, &type,
                                                reinterpret_cast<win32::BYTE*>(data), &size) == win32::ERROR_SUCCESS &&
                        type == win32::REG_SZ && size > 1)
                        query.proposed = stripTerminator(std::string_view(data, size));
                    win32::RegCloseKey(key);
                }
                queries.push_back(std::move(query));
            }
        }
    }
    return queries;
}

InfPlan::InfPlan(const InfFile& inf, const std::string& sectionName, const InfDirectories& directories) {
    const InfSection* version = inf.section("Version");
    if (version == nullptr) throw InfError(inf.fileName(), 1, "the file has no [Version] section");
    bool signed_ = false;
    for (const auto& line : version->lines) {
        if (!line.key || !equalsIgnoringCase(*line.key, "Signature")) continue;
        const std::string signature = line.value(0);
        signed_ = equalsIgnoringCase(signature, "$Chicago$") || equalsIgnoringCase(signature, "$Windows NT$") ||
                  equalsIgnoringCase(signature, "$Windows 95$");
        if (!signed_) throw InfError(inf.fileName(), line.number, "unknown signature " + signature);
    }
    if (!signed_) throw InfError(inf.fileName(), version->number, "[Version] has no Signature");
    Context context{inf, directories, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    const InfSection* install = inf.section(sectionName);
    if (install == nullptr) throw InfError(inf.fileName(), 0, "the file has no section [" + sectionName + "]");
    for (const auto& directive : install->lines) {
        if (!directive.key || !isDirective(*directive.key))
            context.fail(directive.number, "unknown directive \"" + directive.key.value_or(directive.text) + "\"");
        const std::string key = upperAscii(*directive.key);
        if (key == "COPYFILES") context.copyFilesDirective(directive);
        else if (key == "DELFILES") context.delFilesDirective(directive);
        else if (key == "DELDIRS") context.delDirsDirective(directive);
        else if (key == "ADDREG") context.registryDirective(directive, true);
        else if (key == "DELREG") context.registryDirective(directive, false);
        else if (key == "UPDATEINIS") context.updateInisDirective(directive);
        else if (key == "PROFILEITEMS") context.profileItemsDirective(directive);
        else if (key == "RUNPOSTSETUPCOMMANDS") context.commandsDirective(directive, true);
        else if (key == "RUNPRESETUPCOMMANDS") context.commandsDirective(directive, false);
    }
    for (auto* group : {&context.preCommands, &context.deleteFiles, &context.deleteFolders, &context.copyFiles, &context.deleteRegistry,
                        &context.addRegistry, &context.inis, &context.profileItems, &context.commands})
        steps_.insert(steps_.end(), group->begin(), group->end());
}

}  // namespace platform::emulated::inf
