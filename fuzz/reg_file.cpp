// Registry files imported into the Windows 98 template's registry, inside a transaction
// that is rolled back afterwards. A file that fails to import changes nothing; one that
// imports leaves a registry whose every root exports, and whose export, imported into
// the emptied root, exports byte for byte the same again.

#include <string>
#include <vector>

#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/FuzzMachine.h"
#include "platform/emulated/RegFileExporter.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/RegistryNames.h"
#include "platform/emulated/SqliteRegistry.h"

using namespace platform::emulated;

namespace {

RegistryDatabase& database() {
    static fuzzsupport::FuzzMachine machine("win98");
    return machine.pristine().registry().database();
}

std::vector<std::string> exportRoots() {
    std::vector<std::string> files;
    for (const auto& root : registryRoots()) {
        try {
            files.push_back(RegFileExporter(database()).exportKey(root.name));
        } catch (const RegFileError& error) {
            fuzzsupport::require(false, std::string("export after import: ") + error.what());
        }
    }
    return files;
}

// Removes everything of ROOT, then imports its export EXPORTED: what comes back must
// export as the same file.
void requireReimportable(const RegistryRoot& root, const std::string& exported) {
    RegistryDatabase::Transaction emptied(database());
    const KeyId rootId = RegistryDatabase::rootId(root.handle);
    for (const auto& subkey : database().subkeys(rootId)) {
        database().deleteKeyTree(std::string(root.name) + '\\' + foldName(subkey.name));
    }
    for (const auto& value : database().values(rootId)) {
        database().deleteValue(rootId, foldName(value.name));
    }
    try {
        RegFileImporter(database()).importBytes(exported, "exported.reg");
        fuzzsupport::requireEqual(exported, RegFileExporter(database()).exportKey(root.name),
                                  "export -> import -> export");
    } catch (const RegFileError& error) {
        fuzzsupport::require(false, std::string("importing an export: ") + error.what());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> before = exportRoots();
    RegistryDatabase::Transaction rolledBack(database());
    bool imported = true;
    try {
        RegFileImporter(database()).importBytes(fuzzsupport::bytesOf(data, size), "fuzz.reg");
    } catch (const RegFileError&) {
        imported = false;
    }
    const std::vector<std::string> after = exportRoots();
    if (!imported) {
        for (std::size_t i = 0; i < after.size(); ++i) {
            fuzzsupport::requireEqual(before[i], after[i], "a failed import changed the registry");
        }
        return 0;
    }
    for (std::size_t i = 0; i < after.size(); ++i) requireReimportable(registryRoots()[i], after[i]);
    return 0;
}
