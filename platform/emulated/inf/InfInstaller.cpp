#include "platform/emulated/inf/InfInstaller.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/emulated/inf/DestinationQuestion.h"
#include "platform/emulated/inf/InfPlan.h"

namespace platform::emulated::inf {
namespace {

constexpr const char* kCaption = "Setup";

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

InfFile readInf(const std::string& infPath) {
    std::ifstream stream(platform::files().toNative(infPath), std::ios::binary);
    if (!stream) throw InfError(infPath, 0, "the file cannot be read");
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return InfFile::parse(bytes.str(), infPath);
}

// Checks the whole section with stand-in folders for the custom directory ids, so that
// a faulty INF is reported before any question is asked.
void checkWithStandIns(const InfFile& inf, const std::string& section, InfDirectories directories,
                       const std::vector<DestinationQuery>& queries) {
    for (const auto& query : queries)
        for (long dirid : query.dirids) directories.define(dirid, query.proposed);
    InfPlan check(inf, section, directories);
}

}  // namespace

int InfInstaller::installHinfSection(const std::string& section, const std::string& infPath) {
    log_.record(concat({"InstallHinfSection ", section, " ", infPath}));
    try {
        const InfFile inf = readInf(infPath);
        InfDirectories directories(folderOf(infPath));
        const auto queries = InfPlan::destinations(inf, section, directories);
        checkWithStandIns(inf, section, directories, queries);
        for (const auto& query : queries) {
            std::optional<std::string> folder = query.proposed;
            if (query.ask) {
                DestinationQuestion question(kCaption, query.prompt, query.proposed);
                folder = question.ask();
            }
            if (!folder) {
                log_.record("InstallHinfSection cancelled");
                return 1;
            }
            for (long dirid : query.dirids) directories.define(dirid, *folder);
        }
        const InfPlan plan(inf, section, directories);
        for (const auto& step : plan.steps()) {
            log_.record(step.description);
            if (!step.run()) {
                log_.record("InstallHinfSection failed: " + step.description);
                platform::ui().messageBox("Setup could not finish: " + step.description,
                                          MsgBoxButtons::OKOnly, MsgBoxIcon::Critical, kCaption);
                return 1;
            }
        }
    } catch (const InfError& fault) {
        log_.record(concat({"InstallHinfSection failed: ", fault.what()}));
        platform::ui().messageBox(fault.what(), MsgBoxButtons::OKOnly, MsgBoxIcon::Critical, kCaption);
        return 1;
    }
    log_.record("InstallHinfSection done");
    return 0;
}

}  // namespace platform::emulated::inf
