#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

class QDialog;

namespace sijill::platform {

// How the program's own modal boxes are put in front of the user. The program
// shows them with exec(); tests install a presenter that answers from a script.
class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    virtual void present(QDialog& dialog) = 0;
};

DialogPresenter& dialogPresenter();
// Installs a presenter (nullptr restores the real one); returns the previous.
std::shared_ptr<DialogPresenter> setDialogPresenter(std::shared_ptr<DialogPresenter> p);

// What a question's yes does, declared where it is asked: it decides which
// answer Enter gives, and whether Escape or the window's close answer at all.
enum class YesDoes {
    NoQuestion, // a notice (the program's box with OK or none, a Qt box with one button)
    Keeps,      // yes stores what the user typed, prints or goes on; no only declines: Enter
                // keeps its answer of old (yes; Cancel beside three answers; No in the
                // program's No/Yes box)
    Destroys,   // yes deletes, replaces or resets stored data, or replaces a user's file or another
                // computer's lock: Enter answers Cancel, or No where there is no Cancel
    SavesTyped, // yes stores what the user typed and no drops it: Escape and the window's close
                // answer nothing; Enter answers Cancel where the box has one (the user stays), else
                // yes
};

// An answer of a box; None: closed without one.
enum class BoxAnswer { None, Yes, No, Cancel };

struct KeyAnswers {
    BoxAnswer enter;
    BoxAnswer escape; // also the answer of a close by the window system
};

// The answers Enter and Escape give on a box with a yes and, as `hasNo` and
// `hasCancel` say, a No and a Cancel button.
KeyAnswers keyAnswers(YesDoes yes, bool hasNo, bool hasCancel);

// One system message box. Its effect is required: a box with more than one
// button is a question, and a question says what its yes does.
struct SystemMessage {
    SystemMessage(QString title, QString text, QMessageBox::StandardButtons buttons,
                  QMessageBox::Icon icon, YesDoes yes);

    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    YesDoes yes;
};

// The system message box channel; tests replace it with a scripted one.
class SystemMessagePresenter {
public:
    virtual ~SystemMessagePresenter() = default;
    // Returns the button pressed, QMessageBox::NoButton when closed without one.
    virtual QMessageBox::StandardButton show(const SystemMessage& message) = 0;
};

// The system message box as the real presenter shows it, Enter and Escape
// set by the question's effect (see keyAnswers).
std::unique_ptr<QMessageBox> systemMessageBox(const SystemMessage& message);
// The button a box was answered with; NoButton when it closed without one.
QMessageBox::StandardButton systemAnswer(const QMessageBox& box);

std::shared_ptr<SystemMessagePresenter>
setSystemMessagePresenter(std::shared_ptr<SystemMessagePresenter> p);

QMessageBox::StandardButton showSystemMessage(const SystemMessage& message);

} // namespace sijill::platform
