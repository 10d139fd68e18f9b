#pragma once
// An ordered list of texts that can also be reached by a text key, as the adapter
// lists use it ("Device 0", "Device 1", ...). Positions count from 0.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class KeyedList {
public:
    std::size_t Count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    // Appends ITEM under KEY; a key that is already present is refused (false).
    bool Add(const std::string& item, const std::string& key) {
        if (find(key)) return false;
        items_.emplace_back(key, item);
        return true;
    }
    // The item at POSITION (0-based); throws std::out_of_range past the end.
    const std::string& Item(std::size_t position) const { return items_.at(position).second; }
    const std::string& Key(std::size_t position) const { return items_.at(position).first; }
    // The item stored under KEY, if any.
    std::optional<std::string> Item(const std::string& key) const {
        if (auto position = find(key)) return items_[*position].second;
        return std::nullopt;
    }
    void Clear() { items_.clear(); }

private:
    std::optional<std::size_t> find(const std::string& key) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].first == key) return i;
        }
        return std::nullopt;
    }

    std::vector<std::pair<std::string, std::string>> items_;
};
