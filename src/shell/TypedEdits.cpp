#include "shell/TypedEdits.h"

#include "shell/Ask.h"

namespace sijill::shell {

bool mayCloseWithTypedEdits(const QString& question, const std::function<bool()>& save) {
    const Answer answer = ask(Question{question, Buttons::YesNoCancel, YesEffect::SavesTyped});
    if (answer == Answer::No)
        return true;
    return answer == Answer::Yes && save();
}

} // namespace sijill::shell
