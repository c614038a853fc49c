#pragma once

#include <QPointer>
#include <array>
#include <functional>

class QObject;
class QWidget;

namespace sijill::shell {

// What other parts of the program ask of the main window, by name. The part
// that carries a command out defines it once the main window exists; the
// others run it without knowing the main window's controls.
enum class MainCommand {
    // Reads the class list again, keeping the chosen class where it is still
    // listed. A database failure reaches the caller.
    ReloadClassList,
    // The print menus' load of the chosen class, with an export the name-list
    // menu armed for it.
    LoadChosenClass,
    // The header fills of the chosen class: name lists, mark sheets, and the
    // Quran-school sheets (which load the class first).
    FillNameListHeaders,
    FillMarkSheetHeaders,
    LoadQuranClass,
    // The students of the single-student chooser's class, loaded into it.
    LoadChooserStudents,
    // The name-list menu's absence item: the month's absence sheet.
    OpenAbsenceMonth,
    Count
};

// The commands of one main window. A command runs while the main window is
// disabled, as it is whenever another window is open over it.
class MainCommands {
public:
    // Defines what the command does while `owner` lives; a later definition
    // replaces an earlier one.
    void define(MainCommand command, QObject* owner, std::function<void()> action);
    bool isDefined(MainCommand command) const;
    // Runs the command; false when none is defined.
    bool run(MainCommand command) const;

private:
    struct Definition {
        QPointer<QObject> owner;
        std::function<void()> action;
    };
    std::array<Definition, static_cast<int>(MainCommand::Count)> definitions_;
};

// The running main window and its commands; both nullptr before it exists.
QWidget* mainWindow();
MainCommands* mainCommands();

// Runs the command on the running main window; false when there is none or
// the command is not defined.
bool runMainCommand(MainCommand command);

// Called by the main window as it comes and goes.
void setMainWindow(QWidget* window, MainCommands* commands);

} // namespace sijill::shell
