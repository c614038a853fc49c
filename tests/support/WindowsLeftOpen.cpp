#include "support/WindowsLeftOpen.h"

#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace sijill::test {

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Checks after the fixture's destructor: gtest reports the end of a test to
// the listeners added last first, so a failure added here is the test's own
// and printed with it.
class WindowsLeftOpenListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override { failOnWindowsLeftOpen(); }
};

} // namespace

std::vector<QWidget*> windowsOnView() {
    std::vector<QWidget*> open;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::ToolTip && type != Qt::Desktop)
            open.push_back(w);
    }
    return open;
}

std::string describeWindow(const QWidget* window) {
    return std::string(window->metaObject()->className()) + " \"" +
           window->objectName().toStdString() + "\" titled \"" +
           window->windowTitle().toStdString() + "\"";
}

void failOnWindowsLeftOpen() {
    // Windows the test closed go with their deferred deletes.
    flushDeletes();
    const std::vector<QWidget*> open = windowsOnView();
    if (open.empty())
        return;
    std::vector<QPointer<QWidget>> left;
    for (QWidget* w : open) {
        ADD_FAILURE() << "the test left a window open: " << describeWindow(w);
        left.emplace_back(w);
    }
    // Closed the way the program closes them, so that their own clean-up
    // (the main window given back, a singleton unloaded) runs.
    ScriptedScope scope;
    for (const QPointer<QWidget>& w : left)
        if (w && w->isVisible())
            w->close();
    flushDeletes();
    for (const QPointer<QWidget>& w : left)
        if (w && w->isVisible())
            w->hide();
    flushDeletes();
}

void checkWindowsAfterEachTest() {
    ::testing::UnitTest::GetInstance()->listeners().Append(new WindowsLeftOpenListener);
}

} // namespace sijill::test
