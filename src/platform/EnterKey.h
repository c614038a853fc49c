#pragma once

class QCoreApplication;

namespace sijill::platform {

// Enter and the keypad's Enter press the button that holds the focus, in
// every window, as the space bar does. Where no button holds it the keys go
// where they went before: a box, a list, or the window's own Enter (a
// question's default answer).
void enterPressesFocusedButton(QCoreApplication* app);

} // namespace sijill::platform
