#pragma once

#include <QString>

namespace sijill::platform {

// Activates a keyboard layout by its identifier ("00000409" US English,
// "00000401" Arabic) for the program.
void activateKeyboardLayout(const QString& layoutId);

} // namespace sijill::platform
