#include "platform/KeyboardLayout.h"

namespace sijill::platform {

void activateKeyboardLayout(const QString& layoutId) {
    // The desktops this runs on switch layouts for the whole session, not per
    // program, and offer no call for a program to do it: nothing to do here.
    Q_UNUSED(layoutId);
}

} // namespace sijill::platform
