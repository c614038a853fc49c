#pragma once

class QProcess;

namespace sijill::students {

// Waits for a started child process to finish, at most `limitMs`, while the
// program keeps handling window events (painting, clicks, close requests), so
// a slow child never freezes the windows. Returns false when the child did not
// start, or did not finish in time; such a child is stopped before returning.
bool waitForChild(QProcess& child, int limitMs);

} // namespace sijill::students
