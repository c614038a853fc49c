#include "platform/AppState.h"

namespace sijill {

AppState& appState() {
    static AppState state;
    return state;
}

} // namespace sijill
