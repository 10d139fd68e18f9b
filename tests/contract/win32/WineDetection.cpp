// Wine's ntdll exports its version; Windows' does not.

#include <windows.h>

// The contract's own header cannot be included: <windows.h> defines the registry
// constants as macros.
namespace contract {

bool runningUnderWine();

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace contract
