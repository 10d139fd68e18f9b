#pragma once
// The system's object registry: which in-process server (a library) makes the objects of
// a class. A programmatic identifier ("Vendor.Class") names its class id in
// HKEY_CLASSES_ROOT\<ProgID>\CLSID; the class id names its library in
// HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32, whose default value is the library's
// path on the machine.

#include <optional>
#include <string>

namespace objectregistry {

// Where the objects of CLASSID (a programmatic identifier or a "{...}" class id) come
// from; WHYNOT says what is missing when the registry does not tell.
struct ServerLookup {
    std::optional<std::string> libraryPath;
    std::string whyNot;
};
ServerLookup findInprocServer(const std::string& classId);

}  // namespace objectregistry
