#pragma once
// What installing one section of an INF file will do, worked out completely before
// anything changes: every directive checked, every name resolved. Steps run in the
// order Windows' installer takes them: files (deletions, then copies), registry
// (deletions, then additions), profile-string files, program-group entries, then the
// post-setup commands.

#include <functional>
#include <string>
#include <vector>

#include "platform/emulated/inf/InfDirectories.h"
#include "platform/emulated/inf/InfFile.h"

namespace platform::emulated::inf {

struct InfStep {
    std::string description;
    std::function<bool()> run;  // false when the step failed
};

// A CustomDestination entry: the folder question for a pair of directory ids.
struct DestinationQuery {
    std::vector<long> dirids;
    std::string prompt;
    std::string proposed;  // the folder stored by an earlier installation, or the default
    bool ask = true;
};

class InfPlan {
  public:
    // Plans SECTION of INF. Directory ids of CustomDestination entries resolve through
    // DIRECTORIES as defined at this time. InfError names the faulty line.
    InfPlan(const InfFile& inf, const std::string& section, const InfDirectories& directories);

    // The CustomDestination questions of SECTION, to be answered before planning.
    static std::vector<DestinationQuery> destinations(const InfFile& inf, const std::string& section,
                                                      const InfDirectories& directories);

    const std::vector<InfStep>& steps() const { return steps_; }

  private:
    struct Context;
    std::vector<InfStep> steps_;
};

// The text with its %name% references resolved from [Strings] and the directory ids;
// "%%" is one "%". InfError names LINE when a reference is unknown.
std::string expandInfText(const InfFile& inf, const InfDirectories& directories,
                          const std::string& text, int line);

}  // namespace platform::emulated::inf
