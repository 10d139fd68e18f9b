#pragma once
// What this process has read of the registry, kept while no process changes the
// database. Opening a key and reading a value then cost no database round trip, yet a
// change committed by any process is seen by the very next call: every call first
// compares the database's change stamp and drops everything when it moved.

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/emulated/RegistryDatabase.h"

namespace platform::emulated {

class RegistryReadCache {
  public:
    explicit RegistryReadCache(RegistryDatabase& database);

    std::optional<KeyId> findKey(const std::string& foldedPath);
    // The value, or nullptr when it does not exist; valid until the next call.
    const StoredValue* findValue(KeyId key, const std::string& foldedName);
    const std::vector<StoredSubkey>& subkeys(KeyId key);
    const std::vector<StoredValue>& values(KeyId key);

  private:
    struct ValueKey {
        KeyId key;
        std::string name;
        bool operator==(const ValueKey&) const = default;
    };
    struct ValueKeyHash {
        std::size_t operator()(const ValueKey& key) const;
    };

    // Starts afresh when the database changed; false while a transaction of this
    // connection is open, whose uncommitted state must not be kept.
    bool usable();
    void makeRoom();

    RegistryDatabase& database_;
    std::optional<ChangeStamp> stamp_;
    std::unordered_map<std::string, std::optional<KeyId>> keys_;
    std::unordered_map<ValueKey, std::optional<StoredValue>, ValueKeyHash> values_;
    std::unordered_map<KeyId, std::vector<StoredSubkey>> subkeyLists_;
    std::unordered_map<KeyId, std::vector<StoredValue>> valueLists_;
    // Scratch results for calls made while the cache is not usable.
    std::optional<StoredValue> uncachedValue_;
    std::vector<StoredSubkey> uncachedSubkeys_;
    std::vector<StoredValue> uncachedValues_;
};

}  // namespace platform::emulated
