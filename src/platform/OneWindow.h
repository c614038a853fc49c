#pragma once

#include <QPointer>

namespace sijill::platform {

// The window of class W that is open now, or null. A window class that opens
// once keeps its one window here until the window is destroyed.
template <class W> QPointer<W>& openWindow() {
    static QPointer<W> window;
    return window;
}

// The open window of class W, made by `make()` first when none is open.
template <class W, class Make> W* openOnce(Make&& make) {
    QPointer<W>& window = openWindow<W>();
    if (!window)
        window = make();
    return window.data();
}

} // namespace sijill::platform
