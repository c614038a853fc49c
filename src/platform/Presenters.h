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

// One system message box.
struct SystemMessage {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::Information;
};

// The system message box channel; tests replace it with a scripted one.
class SystemMessagePresenter {
public:
    virtual ~SystemMessagePresenter() = default;
    // Returns the button pressed, QMessageBox::NoButton when closed without one.
    virtual QMessageBox::StandardButton show(const SystemMessage& message) = 0;
};

// A message that deletes or erases something: asked as a question, neither
// Enter nor a box closed without an answer may confirm it.
bool erasesData(const QString& text);

// The system message box as the real presenter shows it: a question that
// erases has its non-confirming button (Cancel, else No) as the one Enter and
// Escape press.
std::unique_ptr<QMessageBox> systemMessageBox(const SystemMessage& message);

std::shared_ptr<SystemMessagePresenter>
setSystemMessagePresenter(std::shared_ptr<SystemMessagePresenter> p);

QMessageBox::StandardButton showSystemMessage(const SystemMessage& message);

} // namespace sijill::platform
