#include "fuzz/support/FuzzMachine.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace fuzzsupport {
namespace {

std::filesystem::path makeTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "roamwise-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    }
    return pattern;
}

}  // namespace

FuzzMachine::FuzzMachine(const std::string& templateName)
    : folder_(makeTempFolder()), scratch_(folder_ / "scratch"), ui_(discarded_) {
    pristine_ = platform::emulated::Machine::create(folder_ / "pristine", templateName);
}

FuzzMachine::~FuzzMachine() {
    scope_.reset();
    copy_.reset();
    pristine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

platform::emulated::Machine& FuzzMachine::pristine() {
    return *pristine_;
}

platform::emulated::Machine& FuzzMachine::fresh() {
    scope_.reset();
    copy_.reset();
    std::filesystem::remove_all(folder_ / "copy");
    std::filesystem::remove_all(scratch_);
    std::filesystem::create_directories(scratch_);
    copy_ = pristine_->copyTo(folder_ / "copy");
    install();
    return *copy_;
}

platform::emulated::Machine& FuzzMachine::installed() {
    if (!copy_) return fresh();
    install();
    return *copy_;
}

void FuzzMachine::install() {
    scope_.reset();
    discarded_.str("");
    platform::Services services = copy_->services();
    services.ui = &ui_;
    scope_ = std::make_unique<platform::ScopedServices>(services);
}

const std::filesystem::path& FuzzMachine::scratch() const {
    return scratch_;
}

}  // namespace fuzzsupport
