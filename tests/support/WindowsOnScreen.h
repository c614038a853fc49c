#pragma once

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace sijill::test {

inline QRect availableArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Every window on view has its whole frame, as `frameOf` reads it, inside the
// screen's available area.
inline void expectWindowsInside(const char* stage, const std::function<QRect(QWidget*)>& frameOf) {
    int seen = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isVisible() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        ++seen;
        const QRect f = frameOf(w);
        EXPECT_TRUE(availableArea().contains(f))
            << stage << ": " << w->metaObject()->className() << " " << w->objectName().toStdString()
            << " at " << f.x() << "," << f.y() << " " << f.width() << "x" << f.height() << " on "
            << availableArea().width() << "x" << availableArea().height();
    }
    EXPECT_GT(seen, 0) << stage;
}

} // namespace sijill::test
