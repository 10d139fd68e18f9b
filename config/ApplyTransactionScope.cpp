#include "config/ApplyTransactionScope.h"

#include <string>

#include "platform/RaisedError.h"
#include "platform/Services.h"

namespace {

constexpr const char* kSource = "RmwConfig";
constexpr const char* kNothingApplied = "; nothing was applied";

}  // namespace

ApplyTransactionScope::ApplyTransactionScope() {
    platform::Registry& registry = platform::registry();
    if (!registry.beginTransaction(kWaitSeconds)) {
        throw RaisedError(70, kSource, registry.transactionError() + kNothingApplied);
    }
    open_ = true;
}

ApplyTransactionScope::~ApplyTransactionScope() {
    if (open_) platform::registry().rollbackTransaction();
}

void ApplyTransactionScope::commit() {
    open_ = false;
    platform::Registry& registry = platform::registry();
    if (!registry.commitTransaction()) {
        throw RaisedError(75, kSource, registry.transactionError() + kNothingApplied);
    }
}
