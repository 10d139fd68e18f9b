#include "tools/rmwctl/MachineCopy.h"

#include "tools/rmwctl/Verb.h"

namespace rmwctl {

struct MachineCopy::Copy {};

MachineCopy::MachineCopy() {
    throw Failure("cannot try the file out: no copy of this Windows system can be made");
}

MachineCopy::~MachineCopy() = default;

platform::Services MachineCopy::services() { return platform::services(); }

}  // namespace rmwctl
