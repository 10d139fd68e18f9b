#include "config/AddInList.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"

void AddInList::add(const std::string& name, std::shared_ptr<AddInObject> object) {
    for (const auto& entry : entries_) {
        if (platform::equalsIgnoringCase(entry.name, name)) {
            throw RaisedError(457, "AddInList",
                              "This key is already associated with an element of this collection");
        }
    }
    entries_.push_back(Entry{name, std::move(object)});
}

std::shared_ptr<AddInObject> AddInList::find(const std::string& name) const {
    for (const auto& entry : entries_) {
        if (platform::equalsIgnoringCase(entry.name, name)) return entry.object;
    }
    return nullptr;
}

void AddInList::clear() {
    entries_.clear();
}

std::size_t AddInList::size() const {
    return entries_.size();
}
bool AddInList::empty() const {
    return entries_.empty();
}
std::vector<AddInList::Entry>::const_iterator AddInList::begin() const {
    return entries_.begin();
}
std::vector<AddInList::Entry>::const_iterator AddInList::end() const {
    return entries_.end();
}
