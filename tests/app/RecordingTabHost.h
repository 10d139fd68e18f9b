#pragma once
// A stand-in for the main window when a settings tab is tested on its own: an empty
// form that owns the tab's controls, the two filling flags, a caption, and a record of
// every updateStatus call.

#include <cstdint>
#include <string>
#include <vector>

#include "app/logic/main/TabHost.h"
#include "platform/forms/Form.h"

namespace testsupport {

class RecordingTabHost : public TabHost, public forms::Form {
  public:
    RecordingTabHost() : Form("frmMain", "[Current Configuration] - Roamwise") {}

    void updateStatus(std::int16_t iMode) override { modes.push_back(iMode); }
    bool initializing() const override { return initializing_; }
    void initializing(bool value) override { initializing_ = value; }
    bool loadingFile() const override { return loadingFile_; }
    void loadingFile(bool value) { loadingFile_ = value; }
    const std::string& windowCaption() const override { return Caption(); }

    // Every mode reported, in order.
    std::vector<std::int16_t> modes;

  private:
    bool initializing_ = false;
    bool loadingFile_ = false;
};

}  // namespace testsupport
