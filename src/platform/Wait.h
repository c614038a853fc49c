#pragma once

#include <QVariant>

namespace sijill::platform {

// Pauses the calling action for `seconds` while window events keep running.
// A monotonic clock is used, so a wait across midnight still ends on time.
void Wait(double seconds);
// A value that is not a number waits 0 seconds.
void Wait(const QVariant& seconds);

// Every wait is multiplied by this factor; SIJILL_WAIT_SCALE sets it at start
// (0 makes waits return at once after running pending events).
double waitScale();
void setWaitScale(double scale);

} // namespace sijill::platform
