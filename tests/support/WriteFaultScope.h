#pragma once

#include "platform/SafeFileWriter.h"

namespace sijill::test {

// Makes the file writers fail at one point for a scope, as a full disk would.
class WriteFaultScope {
public:
    WriteFaultScope(platform::WriteFault::At at, const QString& pathEnding, int nth = 1) {
        platform::setWriteFault({at, nth, pathEnding, {}});
    }
    ~WriteFaultScope() { platform::setWriteFault({}); }
    WriteFaultScope(const WriteFaultScope&) = delete;
    WriteFaultScope& operator=(const WriteFaultScope&) = delete;
};

// The points a test drives a writer to fail at: the first write, the flush,
// the sync, the rename.
inline const platform::WriteFault::At kFaultPoints[] = {
    platform::WriteFault::At::Write, platform::WriteFault::At::Flush,
    platform::WriteFault::At::Sync, platform::WriteFault::At::Rename};

} // namespace sijill::test
