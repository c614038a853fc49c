#pragma once

#include <QString>
#include <functional>

namespace sijill::shell {

// What the file chooser does after it has handed the chosen path over, by its
// mode (the caption of its action button, e.g. the students import). The
// windows of a mode register here; a mode nobody registered does nothing more.
using ChooserModeAction = std::function<void(const QString& path)>;

void registerChooserMode(const QString& mode, ChooserModeAction action);
// Removes a mode's action (tests, and a window that goes away).
void unregisterChooserMode(const QString& mode);
// Runs the action of `mode` with `path`; false when the mode has none.
bool runChooserMode(const QString& mode, const QString& path);

} // namespace sijill::shell
