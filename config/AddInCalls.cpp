#include "config/AddInCalls.h"

namespace addins {

void loadSettings(AddInObject& addIn, const std::string& sFile) {
    addIn.invokeMethod("loadSettings", {sFile});
}

void saveSettings(AddInObject& addIn, const std::string& sFile) {
    addIn.invokeMethod("saveSettings", {sFile});
}

void applySettings(AddInObject& addIn) {
    addIn.invokeMethod("applySettings", {});
}

void Show(AddInObject& addIn) {
    addIn.invokeMethod("Show", {});
}

void about(AddInObject& addIn) {
    addIn.invokeMethod("about", {});
}

bool restart(AddInObject& addIn) {
    return toBoolean(addIn.getProperty("restart"), addIn.classId());
}

bool Changed(AddInObject& addIn) {
    return toBoolean(addIn.getProperty("Changed"), addIn.classId());
}

}  // namespace addins
