#include "config/RmwFileLayout.h"

namespace rmwfile {

std::string headerText() {
    const std::string rule = ";" + std::string(44, '-');
    const std::string lineEnd = "\r\n";
    return rule + lineEnd + "; Roamwise Configuration File" + lineEnd + ";" + lineEnd + rule +
           lineEnd + lineEnd + lineEnd;
}

}  // namespace rmwfile
