#include "platform/SingleInstance.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/Wait.h"
#include "platform/WindowDrag.h"
#include "support/WindowsLeftOpen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace sijill::platform;

TEST(Twips, FifteenTwipsToAPixel) {
    EXPECT_EQ(twips(15390), 1026);
    EXPECT_EQ(twips(345), 23);
    EXPECT_EQ(twips(7), 0);
    EXPECT_EQ(twips(8), 1);
    EXPECT_EQ(twipsRect(225, 670, 8070, 8000), QRect(15, 45, 538, 533));
}

TEST(VbColor, BlueIsTheHighByteAndSystemColoursComeFromThePalette) {
    EXPECT_EQ(vbColor(0x49523C), QColor(0x3C, 0x52, 0x49));
    EXPECT_EQ(vbColor(0x4E47F1), QColor(0xF1, 0x47, 0x4E));
    EXPECT_EQ(vbColor(0xFF0000), QColor(0, 0, 0xFF));
    EXPECT_EQ(systemColorRole(0x8000000D), QPalette::Highlight);
    EXPECT_EQ(vbColor(0x8000000F), QApplication::palette().color(QPalette::Button));
}

TEST(Wait, RunsEventsAndHonoursTheScale) {
    const double saved = waitScale();
    setWaitScale(1.0);
    bool ran = false;
    QTimer::singleShot(20, [&] { ran = true; });
    QElapsedTimer t;
    t.start();
    Wait(0.2);
    EXPECT_GE(t.elapsed(), 200);
    EXPECT_TRUE(ran) << "an event due during the wait ran inside it";

    t.restart();
    Wait(0.0);
    Wait(-3.0);
    Wait(QVariant(QStringLiteral("not a number")));
    EXPECT_LT(t.elapsed(), 50);

    setWaitScale(0.0);
    bool posted = false;
    QMetaObject::invokeMethod(
        qApp, [&] { posted = true; }, Qt::QueuedConnection);
    t.restart();
    Wait(2.5);
    EXPECT_LT(t.elapsed(), 100);
    EXPECT_TRUE(posted) << "a scaled-away wait still lets pending events run";
    setWaitScale(saved);
}

TEST(SingleInstance, SecondCopyOnTheSameFolderIsRefusedOthersAreNot) {
    QTemporaryDir a, b;
    SingleInstance first(a.path());
    EXPECT_FALSE(first.anotherIsRunning());
    {
        SingleInstance second(a.path());
        EXPECT_TRUE(second.anotherIsRunning());
        SingleInstance elsewhere(b.path());
        EXPECT_FALSE(elsewhere.anotherIsRunning());
    }
    SingleInstance again(a.path());
    EXPECT_TRUE(again.anotherIsRunning()) << "the first copy still runs";
}

TEST(WindowDrag, LeftButtonMovesByThePointerDisplacementOtherButtonsDoNot) {
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    WindowDrag drag(&window);
    drag.addSurface(&window);
    auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, window.mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&window, &e);
    };
    send(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
    send(QEvent::MouseMove, {57, 53}, Qt::LeftButton); // 100 twips right, 50 down
    EXPECT_EQ(window.pos(), QPoint(107, 103));
    send(QEvent::MouseButtonPress, {50, 50}, Qt::RightButton);
    send(QEvent::MouseMove, {80, 80}, Qt::RightButton);
    send(QEvent::MouseMove, {80, 80}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.pos(), QPoint(107, 103));
}

namespace {
// A window whose close is refused, as one with unsaved edits may refuse it.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// The failures `check` adds to the running test.
std::vector<std::string> failuresOf(void (*check)()) {
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter catcher(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        check();
    }
    std::vector<std::string> out;
    for (int i = 0; i < results.size(); ++i)
        out.push_back(results.GetTestPartResult(i).message());
    return out;
}
} // namespace

// The check every test executable runs after each test: a window left on view
// fails the test, named, and is gone before the next test, also one that
// refuses to close.
TEST(WindowsLeftOpen, AWindowLeftOnViewFailsTheTestByNameAndNoneStaysOnView) {
    QPointer<QWidget> plain = new QWidget;
    plain->setAttribute(Qt::WA_DeleteOnClose);
    plain->setObjectName("LeftOpen");
    plain->setWindowTitle(QStringLiteral("بيانات"));
    plain->show();
    StubbornWindow stubborn;
    stubborn.setObjectName("RefusesToClose");
    stubborn.show();
    QWidget hidden; // never shown: not on view

    const std::vector<std::string> failures = failuresOf(sijill::test::failOnWindowsLeftOpen);
    ASSERT_EQ(failures.size(), 2u);
    const std::string both = failures[0] + failures[1];
    EXPECT_NE(both.find("QWidget \"LeftOpen\" titled \"بيانات\""), std::string::npos) << both;
    EXPECT_NE(both.find("\"RefusesToClose\""), std::string::npos) << both;
    EXPECT_TRUE(plain.isNull());
    EXPECT_FALSE(stubborn.isVisible());
    EXPECT_TRUE(sijill::test::windowsOnView().empty());
    EXPECT_TRUE(failuresOf(sijill::test::failOnWindowsLeftOpen).empty());
}
