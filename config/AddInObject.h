#pragma once
// An add-in: a separately installed object whose members the main program knows only by
// name and calls at run time (loadSettings, saveSettings, applySettings, Show, about and
// the properties restart and Changed; see AddInCalls.h). Names are matched without
// regard to case, as the automation model does. A member the object lacks is an error
// raised at the call site: number 438, "Object doesn't support this property or method".

#include <cstdint>
#include <string>
#include <vector>

#include "config/AutomationValue.h"

class AddInObject {
  public:
    static constexpr std::int32_t kMemberMissing = 438;
    static constexpr std::int32_t kWrongArgumentCount = 450;

    virtual ~AddInObject() = default;

    // The class identifier the object was created from, e.g. "Vendor.Class"; the source
    // of the errors its calls raise.
    virtual std::string classId() const = 0;
    // Calls the method NAME with ARGS and returns its result.
    virtual AutomationValue invokeMethod(const std::string& name,
                                         const std::vector<AutomationValue>& args) = 0;
    // Reads the property NAME.
    virtual AutomationValue getProperty(const std::string& name) = 0;
};
