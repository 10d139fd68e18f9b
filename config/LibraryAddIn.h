#pragma once
// An add-in object made by an add-in library, reached through the library's table of
// functions: the by-name calls of AddInObject become invoke_method and get_property,
// values are converted both ways, and a failed call raises the error the library
// describes. Anything a misbehaving library lets escape from a call is caught here and
// raised as an error, so unsaved work in the program is not lost to it.

#include <memory>
#include <string>

#include "config/AddInHostServices.h"
#include "config/AddInLibrary.h"
#include "config/AddInObject.h"

class LibraryAddIn : public AddInObject {
  public:
    // Creates an object of CLASSID with LIBRARY. Raises error 429 with the library's own
    // description when it makes none.
    static std::shared_ptr<LibraryAddIn> create(std::shared_ptr<AddInLibrary> library,
                                                const std::string& classId);
    ~LibraryAddIn() override;
    LibraryAddIn(const LibraryAddIn&) = delete;
    LibraryAddIn& operator=(const LibraryAddIn&) = delete;

    std::string classId() const override;
    AutomationValue invokeMethod(const std::string& name,
                                 const std::vector<AutomationValue>& args) override;
    AutomationValue getProperty(const std::string& name) override;

  private:
    LibraryAddIn(std::shared_ptr<AddInLibrary> library, std::string classId);
    // Raises the error of a call NAME that answered STATUS with ERROR.
    [[noreturn]] void raiseFailure(const std::string& name, std::int32_t status,
                                   const rmw_error& error) const;
    AutomationValue converted(const rmw_value& value) const;

    std::shared_ptr<AddInLibrary> library_;
    std::string classId_;
    AddInHostServices host_;
    rmw_addin_object* object_ = nullptr;
};
