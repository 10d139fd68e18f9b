#pragma once
// An add-in object assembled from a table of named members: the in-process form of an
// automation object. Whoever builds an add-in defines its methods (with the number of
// arguments they take) and its read-only properties; the program then reaches them only
// by name through AddInObject.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/AddInObject.h"

class DispatchAddIn : public AddInObject {
  public:
    using Method = std::function<AutomationValue(const std::vector<AutomationValue>&)>;
    using Property = std::function<AutomationValue()>;

    explicit DispatchAddIn(std::string classId);

    // Defines (or replaces) the method NAME taking exactly ARGUMENTCOUNT arguments.
    void defineMethod(const std::string& name, std::size_t argumentCount, Method method);
    // Defines (or replaces) the readable property NAME.
    void defineProperty(const std::string& name, Property property);

    std::string classId() const override;
    AutomationValue invokeMethod(const std::string& name,
                                 const std::vector<AutomationValue>& args) override;
    AutomationValue getProperty(const std::string& name) override;

  private:
    struct MethodEntry {
        std::size_t argumentCount = 0;
        Method method;
    };
    static std::string foldedName(const std::string& name);
    [[noreturn]] void raiseMissing() const;

    std::string classId_;
    std::map<std::string, MethodEntry> methods_;
    std::map<std::string, Property> properties_;
};
