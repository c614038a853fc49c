#pragma once

#include "platform/Presenters.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

namespace sijill::test {

// What a box looked like when it was shown.
struct ShownBox {
    QString title;
    QString text;
    QStringList buttons; // captions on view, left to right
    int mode = 0;
    int style = 0;
};

// Answers the program's modal boxes from a queue instead of a person. An
// answer is the caption of the button to press, kClose to close the box
// without a button, kRun to let the box run by itself (a box that closes on
// its own), or one of the presses (kEnter, kEscape, kWindowClose) that reach
// the real box as the user's would. With an empty queue a box is closed
// without a button.
class ScriptedDialogs : public platform::DialogPresenter {
public:
    static inline const QString kClose = QStringLiteral("<close>");
    static inline const QString kRun = QStringLiteral("<run>");
    static inline const QString kEnter = QStringLiteral("<Enter>");
    static inline const QString kEscape = QStringLiteral("<Escape>");
    static inline const QString kWindowClose = QStringLiteral("<window close>");

    void answer(const QString& caption) { answers_.push_back(caption); }
    void present(QDialog& dialog) override;

    // Per-dialog hooks for windows other than the message box: called instead
    // of the queue when set (return true when handled).
    std::function<bool(QDialog&)> custom;

    std::vector<ShownBox> shown;
    QStringList unanswered; // boxes that found the queue empty

private:
    std::deque<QString> answers_;
};

// Shows a box and sends it one of the presses of ScriptedDialogs: the key to
// the widget holding the focus, or the close the window system sends.
void pressOnBox(QWidget& box, const QString& press);

// Installs a ScriptedDialogs (and a scripted system message box) for the
// lifetime of the object.
class ScriptedScope {
public:
    ScriptedScope();
    ~ScriptedScope();
    ScriptedDialogs& dialogs() { return *dialogs_; }

    // System message boxes shown, and the answers to give them. A press
    // waiting in systemPresses is given first: the box is built as the real
    // presenter builds it and the press sent to it.
    std::vector<platform::SystemMessage> systemShown;
    std::deque<QMessageBox::StandardButton> systemAnswers;
    std::deque<QString> systemPresses;

private:
    std::shared_ptr<ScriptedDialogs> dialogs_;
    std::shared_ptr<platform::DialogPresenter> previous_;
    std::shared_ptr<platform::SystemMessagePresenter> previousSystem_;
};

} // namespace sijill::test
