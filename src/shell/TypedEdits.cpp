#include "shell/TypedEdits.h"

#include "platform/ChildWindow.h"
#include "shell/Ask.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace sijill::shell {

bool mayCloseWithTypedEdits(const QString& question, const std::function<bool()>& save) {
    const Answer answer = ask(Question{question, Buttons::YesNoCancel, YesEffect::SavesTyped});
    if (answer == Answer::No)
        return true;
    return answer == Answer::Yes && save();
}

bool mayLeaveWithTypedEdits() {
    // Taken first: a question's box is a window too, and a window may go
    // while another one asks.
    std::vector<QPointer<QWidget>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            open.emplace_back(w);
    for (const QPointer<QWidget>& w : open) {
        if (!w || !w->isVisible())
            continue;
        if (platform::ChildWindow* life = platform::ChildWindow::of(w);
            life && !life->settleTypedEdits())
            return false;
    }
    return true;
}

} // namespace sijill::shell
