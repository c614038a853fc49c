#pragma once

#include "shell/Question.h"

#include <QString>

namespace sijill::shell {

// Asks the question, in the program's box titled "تنبيه" or in Qt's box, and
// returns the answer once the box has closed.
Answer ask(const Question& question);

// A notice in the program's box, with its OK button.
void tell(const QString& text, Tone tone = Tone::Plain);

// A notice in the program's box without buttons that closes itself after 700 ms.
void flash(const QString& text);

} // namespace sijill::shell
