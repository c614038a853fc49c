#pragma once

#include <QString>
#include <functional>

namespace sijill::shell {

// Asks, in the program's box, whether to save what the user typed before a
// window closes: yes runs `save`, no drops the edits, Cancel (and Enter, and a
// box closed without an answer) keeps the window open with them. True when
// the window may close: after no, or after yes with a save that succeeded.
bool mayCloseWithTypedEdits(const QString& question, const std::function<bool()>& save);

// Before the program ends: every open window holding typed edits asks its own
// question, one after the other. True when the program may end; false when
// one of them was kept open (Cancel, or a save that failed).
bool mayLeaveWithTypedEdits();

} // namespace sijill::shell
