#include "platform/emulated/RegistryReadCache.h"

#include <functional>

namespace platform::emulated {
namespace {

// Past this many entries the cache starts again rather than grow without bound.
constexpr std::size_t kMostEntries = 200000;

}  // namespace

RegistryReadCache::RegistryReadCache(RegistryDatabase& database) : database_(database) {}

std::size_t RegistryReadCache::ValueKeyHash::operator()(const ValueKey& key) const {
    return std::hash<std::string>()(key.name) ^
           (std::hash<KeyId>()(key.key) * 0x9E3779B97F4A7C15ull);
}

bool RegistryReadCache::usable() {
    if (database_.inTransaction()) return false;
    ChangeStamp now = database_.changeStamp();
    if (stamp_ != now) {
        keys_.clear();
        values_.clear();
        subkeyLists_.clear();
        valueLists_.clear();
        stamp_ = now;
    }
    return true;
}

void RegistryReadCache::makeRoom() {
    if (keys_.size() + values_.size() + subkeyLists_.size() + valueLists_.size() < kMostEntries) {
        return;
    }
    keys_.clear();
    values_.clear();
    subkeyLists_.clear();
    valueLists_.clear();
}

std::optional<KeyId> RegistryReadCache::findKey(const std::string& foldedPath) {
    if (!usable()) return database_.findKey(foldedPath);
    auto found = keys_.find(foldedPath);
    if (found != keys_.end()) return found->second;
    makeRoom();
    auto key = database_.findKey(foldedPath);
    keys_.emplace(foldedPath, key);
    return key;
}

const StoredValue* RegistryReadCache::findValue(KeyId key, const std::string& foldedName) {
    if (!usable()) {
        uncachedValue_ = database_.findValue(key, foldedName);
        return uncachedValue_ ? &*uncachedValue_ : nullptr;
    }
    ValueKey lookup{key, foldedName};
    auto found = values_.find(lookup);
    if (found == values_.end()) {
        // Programs read a key's values one after another: the first read takes them all,
        // in one look at the database rather than one each.
        for (const StoredValue& value : values(key)) {
            values_.emplace(ValueKey{key, foldName(value.name)}, value);
        }
        found = values_.find(lookup);
    }
    if (found == values_.end()) {
        // Not among the key's values: it is missing.
        found = values_.emplace(std::move(lookup), std::nullopt).first;
    }
    return found->second ? &*found->second : nullptr;
}

const std::vector<StoredSubkey>& RegistryReadCache::subkeys(KeyId key) {
    if (!usable()) return uncachedSubkeys_ = database_.subkeys(key);
    auto found = subkeyLists_.find(key);
    if (found == subkeyLists_.end()) {
        makeRoom();
        found = subkeyLists_.emplace(key, database_.subkeys(key)).first;
    }
    return found->second;
}

const std::vector<StoredValue>& RegistryReadCache::values(KeyId key) {
    if (!usable()) return uncachedValues_ = database_.values(key);
    auto found = valueLists_.find(key);
    if (found == valueLists_.end()) {
        makeRoom();
        found = valueLists_.emplace(key, database_.values(key)).first;
    }
    return found->second;
}

}  // namespace platform::emulated
