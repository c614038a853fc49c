#include "shell/MainCommands.h"

#include <QWidget>

namespace sijill::shell {

namespace {

struct Running {
    QPointer<QWidget> window;
    MainCommands* commands = nullptr;
};

Running& running() {
    static Running r;
    return r;
}

} // namespace

void MainCommands::define(MainCommand command, QObject* owner, std::function<void()> action) {
    definitions_.at(static_cast<std::size_t>(command)) = {owner, std::move(action)};
}

bool MainCommands::isDefined(MainCommand command) const {
    const Definition& d = definitions_.at(static_cast<std::size_t>(command));
    return d.owner && d.action;
}

bool MainCommands::run(MainCommand command) const {
    if (!isDefined(command))
        return false;
    // A copy: the action may define the command again while it runs.
    const std::function<void()> action = definitions_.at(static_cast<std::size_t>(command)).action;
    action();
    return true;
}

QWidget* mainWindow() {
    return running().window;
}

MainCommands* mainCommands() {
    return running().window ? running().commands : nullptr;
}

bool runMainCommand(MainCommand command) {
    MainCommands* commands = mainCommands();
    return commands && commands->run(command);
}

void setMainWindow(QWidget* window, MainCommands* commands) {
    running() = {window, commands};
}

} // namespace sijill::shell
