#include "platform/AppState.h"
#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "shell/MGForm.h"
#include "support/ScriptedDialogs.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;

namespace {

struct Flags {
    bool ok, cancelled, yes, no;
    bool operator==(const Flags&) const = default;
};

Flags flags() {
    const AppState& s = appState();
    return {s.MsgOk, s.MsgCancelled, s.MsgYes, s.MsgNo};
}

Flags ask(int mode, const QString& answer) {
    ScriptedScope scope;
    scope.dialogs().answer(answer);
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("سؤال"), mode, 0);
    EXPECT_TRUE(scope.dialogs().unanswered.isEmpty())
        << scope.dialogs().unanswered.join(' ').toStdString();
    return flags();
}

} // namespace

TEST(ShowMsg, EachModeShowsItsButtonsAndSetsOnlyThePressedFlag) {
    ScriptedScope scope;
    for (int i = 0; i < 4; ++i)
        scope.dialogs().answer(ScriptedDialogs::kClose);
    for (int mode : {1, 2, 3, 5})
        ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("نص"), mode, 0);
    ASSERT_EQ(scope.dialogs().shown.size(), 4u);
    EXPECT_EQ(scope.dialogs().shown[0].buttons, QStringList({"موافق"}));
    EXPECT_EQ(scope.dialogs().shown[1].buttons, QStringList({"إلغاء", "موافق"}));
    EXPECT_EQ(scope.dialogs().shown[2].buttons, QStringList({"إلغاء", "لا", "نعم"}));
    EXPECT_EQ(scope.dialogs().shown[3].buttons, QStringList({"لا", "نعم"}));
    EXPECT_EQ(scope.dialogs().shown[0].title, QStringLiteral("تنبيه"));

    EXPECT_EQ(ask(1, "موافق"), (Flags{true, false, false, false}));
    EXPECT_EQ(ask(2, "موافق"), (Flags{true, false, false, false}));
    EXPECT_EQ(ask(2, "إلغاء"), (Flags{false, true, false, false}));
    EXPECT_EQ(ask(3, "نعم"), (Flags{false, false, true, false}));
    EXPECT_EQ(ask(3, "لا"), (Flags{false, false, false, true}));
    EXPECT_EQ(ask(3, "إلغاء"), (Flags{false, true, false, false}));
    EXPECT_EQ(ask(5, "نعم"), (Flags{false, false, true, false}));
    EXPECT_EQ(ask(5, "لا"), (Flags{false, false, false, true}));
}

TEST(ShowMsg, ClosingWithoutAButtonSetsNoFlagEvenAfterAnEarlierAnswer) {
    EXPECT_EQ(ask(2, "موافق"), (Flags{true, false, false, false}));
    EXPECT_EQ(ask(2, ScriptedDialogs::kClose), (Flags{false, false, false, false}));
}

TEST(ShowMsg, ModeFourClosesItselfWithNoFlag) {
    ask(1, "موافق");
    ScriptedScope scope;
    scope.dialogs().answer(ScriptedDialogs::kRun);
    QElapsedTimer t;
    t.start();
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("تم التحديث"), 4, 0);
    EXPECT_GE(t.elapsed(), 650);
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_TRUE(scope.dialogs().shown[0].buttons.isEmpty());
    EXPECT_EQ(flags(), (Flags{false, false, false, false}));
}

TEST(MGForm, GrowsWithLinesAndNeverCutsALongLine) {
    MGForm one;
    one.setMessage(QStringLiteral("سطر واحد"));
    one.setMode(1);
    one.layoutForMode();
    const int lineHeight = one.messageLabel()->height();
    EXPECT_EQ(one.width(), platform::twips(6825));
    EXPECT_EQ(one.height(), lineHeight + platform::twips(1365));

    MGForm three;
    three.setMessage(QStringLiteral("سطر\rسطر ثان\rسطر ثالث"));
    three.setMode(1);
    three.layoutForMode();
    EXPECT_EQ(three.messageLabel()->height(), 3 * lineHeight);
    EXPECT_EQ(three.height() - one.height(), 2 * lineHeight);
    auto* ok3 = three.buttonNamed("Command3")->parentWidget();
    auto* ok1 = one.buttonNamed("Command3")->parentWidget();
    EXPECT_EQ(ok3->y() - ok1->y(), 2 * lineHeight);
    EXPECT_EQ(ok1->x() + ok1->width() / 2, one.width() / 2); // centred under the text

    MGForm wide;
    wide.setMessage(QString(QStringLiteral("كلمة طويلة ")).repeated(20));
    wide.setMode(1);
    wide.layoutForMode();
    EXPECT_GT(wide.width(), platform::twips(6825));
    const QLabel* msg = wide.messageLabel();
    EXPECT_GE(msg->x(), 0);
    EXPECT_LE(msg->x() + msg->width(), wide.width());
    EXPECT_GE(msg->sizeHint().width(), 0);
    EXPECT_LE(msg->fontMetrics()
                  .boundingRect(QRect(0, 0, msg->width(), 100000), Qt::TextWordWrap, msg->text())
                  .height(),
              msg->height());
}

TEST(MGForm, StyleOnePaintsTheTitleRedAndTheNextBoxStartsFresh) {
    ScriptedScope scope;
    scope.dialogs().answer("موافق");
    scope.dialogs().answer("موافق");
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("أ"), 1, 1);
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("ب"), 1, 0);
    EXPECT_EQ(scope.dialogs().shown[0].style, 1);
    EXPECT_EQ(scope.dialogs().shown[1].style, 0);

    MGForm red;
    red.setStyle(1);
    EXPECT_EQ(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    red.setStyle(0);
    EXPECT_NE(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    EXPECT_TRUE(red.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}
