#include "shell/TypedEdits.h"

#include "platform/AppState.h"
#include "shell/MGForm.h"
#include "shell/Texts.h"

namespace sijill::shell {

bool mayCloseWithTypedEdits(const QString& question, const std::function<bool()>& save) {
    ShowMsg(texts::kMsgTitle, question, 3, 0, platform::YesDoes::SavesTyped);
    if (appState().MsgNo)
        return true;
    return appState().MsgYes && save();
}

} // namespace sijill::shell
