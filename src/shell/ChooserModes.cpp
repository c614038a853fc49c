#include "shell/ChooserModes.h"

#include <QHash>

namespace sijill::shell {

namespace {
QHash<QString, ChooserModeAction>& modes() {
    static QHash<QString, ChooserModeAction> m;
    return m;
}
} // namespace

void registerChooserMode(const QString& mode, ChooserModeAction action) {
    if (action)
        modes().insert(mode, std::move(action));
    else
        modes().remove(mode);
}

void unregisterChooserMode(const QString& mode) {
    modes().remove(mode);
}

bool runChooserMode(const QString& mode, const QString& path) {
    const auto it = modes().constFind(mode);
    if (it == modes().constEnd())
        return false;
    // A copy: the action may register or remove modes while it runs.
    const ChooserModeAction action = it.value();
    action(path);
    return true;
}

} // namespace sijill::shell
