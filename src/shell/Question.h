#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

namespace sijill::shell {

// The buttons of a question, as the box shows them: Cancel, OK; Cancel, No,
// Yes; No, Yes.
enum class Buttons { OkCancel, YesNoCancel, YesNo };

// The answer to a question; None: the box closed without one.
enum class Answer { None, Ok, Cancel, Yes, No };

// What a question's yes (or OK) does. It decides the answer Enter gives and
// whether Escape and the window's close answer at all.
enum class YesEffect {
    Keeps,      // stores what the user typed, prints or goes on; no only declines
    Destroys,   // deletes, replaces or resets stored data, a user's file or a lock
    SavesTyped, // stores what the user typed, and no drops it
};

// The title bar of the program's box: the highlight colour, or red for a
// failure or a question whose yes cannot be undone.
enum class Tone { Plain, Alarm };

// Qt's message box, for the questions that have always been asked in it.
struct QtBox {
    QString title;
    QMessageBox::Icon icon = QMessageBox::Question;
};

// One question. Its text, its buttons and what its yes does are all required:
// there is no question that does not say what its yes does.
struct Question {
    Question(QString text, Buttons buttons, YesEffect yes, Tone tone = Tone::Plain)
        : text(std::move(text)), buttons(buttons), yes(yes), tone(tone) {}
    Question(QString text, Buttons buttons, YesEffect yes, QtBox box)
        : text(std::move(text)), buttons(buttons), yes(yes), qtBox(std::move(box)) {}

    QString text;
    Buttons buttons;
    YesEffect yes;
    Tone tone = Tone::Plain;
    std::optional<QtBox> qtBox; // asked in Qt's box instead of the program's own
};

} // namespace sijill::shell
