#include "shell/ChildOfMainForm.h"

#include "shell/MainCommands.h"
#include "shell/TypedEdits.h"

#include <QPointer>
#include <QWidget>

namespace sijill::shell {

namespace {

platform::ChildWindow* makeChild(QWidget* window, std::function<QWidget*()> mainWindow,
                                 platform::TypedEdits* edits, std::function<void()> escape) {
    return new platform::ChildWindow(
        window, {.mainWindow = std::move(mainWindow),
                 .escape = std::move(escape),
                 .typedEdits = edits,
                 .ask = edits ? platform::TypedEditsQuestion(mayCloseWithTypedEdits)
                              : platform::TypedEditsQuestion()});
}

} // namespace

platform::ChildWindow* childOfMainForm(QWidget* window, platform::TypedEdits* edits,
                                       std::function<void()> escape) {
    return makeChild(
        window, [] { return mainWindow(); }, edits, std::move(escape));
}

platform::ChildWindow* childOfMainWindow(QWidget* window, QWidget* main,
                                         platform::TypedEdits* edits) {
    const QPointer<QWidget> kept(main);
    return makeChild(window, [kept] { return kept.data(); }, edits, {});
}

} // namespace sijill::shell
