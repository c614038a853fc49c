#pragma once

#include <QString>

namespace sijill::platform {

// Loads Qt's own Arabic texts (the buttons of system message boxes, the print
// and file dialogs) whatever the system locale, since the program speaks only
// Arabic, and lays every window out right to left. Returns false when the
// translation file is missing; the program then runs with Qt's English texts.
bool loadQtArabic();

// `text` without its key mnemonic: Arabic captions are drawn whole.
QString withoutMnemonic(QString text);

// The program's name as the user sees it, in window and box titles. The
// application name stays Latin: it names the data and cache folders.
QString programDisplayName();

// Everything the desktop needs before the first window opens: Qt's Arabic
// texts, right to left, icon buttons drawn for Arabic, the Arabic name in
// titles, every top-level window placed inside the screen's available area
// each time it is shown, disabled windows deaf to input, and Enter pressing the
// button that holds the focus.
void setUpArabicDesktop();

} // namespace sijill::platform
