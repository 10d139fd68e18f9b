#pragma once
// The add-ins created by the main window, each under its add-in name, in loading order.
// The window owns the list and hands it to the document's load, save and apply; an entry
// may be empty (an object that is not there), which those calls pass over.

#include <memory>
#include <string>
#include <vector>

#include "config/AddInObject.h"

class AddInList {
  public:
    struct Entry {
        std::string name;
        std::shared_ptr<AddInObject> object;
    };

    // Appends OBJECT under NAME. Names are unique (compared without regard to case): a
    // second add with a name already present raises error 457, "This key is already
    // associated with an element of this collection", and leaves the list as it was.
    void add(const std::string& name, std::shared_ptr<AddInObject> object);
    // The object stored under NAME (any case), or nullptr when there is none.
    std::shared_ptr<AddInObject> find(const std::string& name) const;
    void clear();

    std::size_t size() const;
    bool empty() const;
    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

  private:
    std::vector<Entry> entries_;
};
