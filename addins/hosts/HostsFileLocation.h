#pragma once
// Where the machine keeps its HOSTS file. Windows NT keeps it below its system folder,
// in drivers\etc; Windows 95 and 98 keep it in the Windows folder. The system folder
// tells them apart: NT's is named system32, 95's and 98's is named system.

#include <string>

#include "HostServices.h"

namespace hostsaddin {

std::string hostsFilePath(const HostServices& host);

}  // namespace hostsaddin
