#include "exams/Texts.h"
#include "labels/Texts.h"
#include "platform/AppState.h"
#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "shell/MGForm.h"
#include "students/Texts.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
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

// What a mode's question declares when the test does not care.
platform::YesDoes anyEffect(int mode) {
    return mode == 1 || mode == 4 ? platform::YesDoes::NoQuestion : platform::YesDoes::Keeps;
}

Flags ask(int mode, const QString& answer) {
    ScriptedScope scope;
    scope.dialogs().answer(answer);
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("سؤال"), mode, 0, anyEffect(mode));
    EXPECT_TRUE(scope.dialogs().unanswered.isEmpty())
        << scope.dialogs().unanswered.join(' ').toStdString();
    return flags();
}

// What a key did to a box: the answer, and whether the box stayed open.
struct KeyResult {
    Flags flags;
    bool stillOpen;
    bool operator==(const KeyResult&) const = default;
};

// Shows a box and presses a key as the window system delivers it: to the
// widget holding the focus, passing up to the box when that widget ignores it.
KeyResult pressOn(int mode, platform::YesDoes yes, int key,
                  const QString& text = QStringLiteral("سؤال")) {
    ScriptedScope scope;
    bool open = false;
    scope.dialogs().custom = [&](QDialog& d) {
        d.show();
        QWidget* target = d.focusWidget() ? d.focusWidget() : &d;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        open = d.isVisible();
        d.reject();
        return true;
    };
    ShowMsg(QStringLiteral("تنبيه"), text, mode, 0, yes);
    return {flags(), open};
}

constexpr Flags kOkAnswer{true, false, false, false};
constexpr Flags kCancelAnswer{false, true, false, false};
constexpr Flags kNoAnswer{false, false, false, true};
constexpr Flags kNone{false, false, false, false};

} // namespace

// Enter and Escape follow what the question's yes does, in every mode.
TEST(ShowMsg, EnterAndEscapeAnswerByWhatTheYesDoes) {
    using platform::YesDoes;
    struct Row {
        int mode;
        YesDoes yes;
        Flags enter, escape;
    };
    const Flags kYes{false, false, true, false};
    const std::vector<Row> rows = {
        {1, YesDoes::NoQuestion, kOkAnswer, kOkAnswer},
        {2, YesDoes::Keeps, kOkAnswer, kCancelAnswer},
        {2, YesDoes::Destroys, kCancelAnswer, kCancelAnswer},
        {2, YesDoes::SavesTyped, kCancelAnswer, kNone},
        // A question that declares nothing is taken as one that destroys.
        {2, YesDoes::NoQuestion, kCancelAnswer, kCancelAnswer},
        {3, YesDoes::Keeps, kCancelAnswer, kCancelAnswer},
        {3, YesDoes::Destroys, kCancelAnswer, kCancelAnswer},
        {3, YesDoes::SavesTyped, kCancelAnswer, kCancelAnswer},
        {5, YesDoes::Keeps, kYes, kNone},
        {5, YesDoes::Destroys, kNoAnswer, kNone},
        {5, YesDoes::SavesTyped, kYes, kNone},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << r.mode << " effect " << int(r.yes));
        if (r.yes == YesDoes::NoQuestion && r.mode != 1) {
#ifdef QT_NO_DEBUG
            EXPECT_EQ(pressOn(r.mode, r.yes, Qt::Key_Return), (KeyResult{r.enter, false}));
#endif
            continue;
        }
        for (int key : {Qt::Key_Return, Qt::Key_Enter})
            EXPECT_EQ(pressOn(r.mode, r.yes, key), (KeyResult{r.enter, false}));
        EXPECT_EQ(pressOn(r.mode, r.yes, Qt::Key_Escape), (KeyResult{r.escape, false}));
    }
    // The notice that closes by itself takes no key.
    EXPECT_EQ(pressOn(4, YesDoes::NoQuestion, Qt::Key_Return), (KeyResult{kNone, true}));

    // The button Enter presses holds the focus and is drawn as the default.
    MGForm box;
    box.setMode(2);
    box.setYesDoes(YesDoes::Destroys);
    box.layoutForMode();
    EXPECT_EQ(box.focusWidget(), box.buttonNamed("Command1"));
    EXPECT_TRUE(box.buttonNamed("Command1")->isDefault());
    EXPECT_FALSE(box.buttonNamed("ClearData")->isDefault());
}

// Every question of the program that deletes or erases, as its window asks it:
// Enter, Escape and a box closed by the window system all leave it unconfirmed.
TEST(ShowMsg, NoQuestionThatErasesIsConfirmedByEnterOrByClosingItsBox) {
    struct Question {
        QString text;
        int mode = 0; // the program's box; 0: the system box with `buttons`
        int style = 0;
        QMessageBox::StandardButtons buttons = {};
    };
    const auto yesNo = QMessageBox::Yes | QMessageBox::No;
    const auto okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    const std::vector<Question> questions = {
        {students::texts::kDeleteQuestion + QStringLiteral(" سعد "), 0, 0, yesNo},
        {students::texts::kRemoveClassQuestion + QStringLiteral("أول متوسط 1"), 2, 0},
        {labels::texts::kDeleteQuestion + QStringLiteral("\nملصق"), 0, 0, yesNo},
        {exams::texts::kAskDeleteDay, 2, 1},
        {exams::texts::kAskDeletePeriod + QStringLiteral("ثالث"), 0, 0, okCancel},
        {exams::texts::kAskEraseGrade + QStringLiteral("ثالث"), 0, 0, okCancel},
        {exams::texts::kAskEraseAll, 0, 0, okCancel},
        {QStringLiteral("هل تريد مسح جميع بيانات الفصول"), 2, 1},
    };
    for (const Question& q : questions) {
        SCOPED_TRACE(q.text.toStdString());
        if (q.mode != 0) {
            for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                const KeyResult r = pressOn(q.mode, platform::YesDoes::Destroys, key, q.text);
                EXPECT_FALSE(r.flags.ok || r.flags.yes) << key;
            }
            ScriptedScope scope;
            scope.dialogs().answer(ScriptedDialogs::kClose);
            ShowMsg(QStringLiteral("تنبيه"), q.text, q.mode, q.style, platform::YesDoes::Destroys);
            EXPECT_FALSE(appState().MsgOk || appState().MsgYes);
            continue;
        }
        const platform::SystemMessage m{QString(), q.text, q.buttons, QMessageBox::Question,
                                        platform::YesDoes::Destroys};
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape), 0}) {
            const auto box = platform::systemMessageBox(m);
            box->show();
            if (key == 0) {
                box->close();
            } else {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box.get(),
                                        &press);
            }
            const QMessageBox::StandardButton answer =
                box->clickedButton() ? box->standardButton(box->clickedButton())
                                     : QMessageBox::NoButton;
            EXPECT_NE(answer, QMessageBox::Yes) << key;
            EXPECT_NE(answer, QMessageBox::Ok) << key;
        }
    }
}

TEST(MGForm, ALongUnbrokenWordWrapsWholeInsideTheBox) {
    const QString word = QStringLiteral("الصفالأولالمتوسطالمسائيالمدمج").repeated(12);
    MGForm box;
    box.setMessage(QStringLiteral("هل تريد حذف الفصل\r") + word);
    box.setMode(2);
    box.layoutForMode();
    const QLabel* msg = box.messageLabel();
    EXPECT_GE(msg->x(), 0);
    EXPECT_LE(msg->x() + msg->width(), box.width());
    const QStringList lines = msg->text().split('\n');
    EXPECT_GT(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_LE(msg->fontMetrics().horizontalAdvance(line), msg->width()) << line.toStdString();
    EXPECT_GE(msg->height(), msg->fontMetrics().lineSpacing() * lines.size());
    // Nothing of the word is lost: the lines after the first hold it all.
    EXPECT_EQ(lines.mid(1).join(QString()), word);
    // The buttons stand below the message.
    EXPECT_GE(box.buttonNamed("ClearData")->parentWidget()->y(), msg->y() + msg->height());
}

TEST(ShowMsg, EachModeShowsItsButtonsAndSetsOnlyThePressedFlag) {
    ScriptedScope scope;
    for (int i = 0; i < 4; ++i)
        scope.dialogs().answer(ScriptedDialogs::kClose);
    for (int mode : {1, 2, 3, 5})
        ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("نص"), mode, 0, anyEffect(mode));
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
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("تم التحديث"), 4, 0,
            platform::YesDoes::NoQuestion);
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
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("أ"), 1, 1, platform::YesDoes::NoQuestion);
    ShowMsg(QStringLiteral("تنبيه"), QStringLiteral("ب"), 1, 0, platform::YesDoes::NoQuestion);
    EXPECT_EQ(scope.dialogs().shown[0].style, 1);
    EXPECT_EQ(scope.dialogs().shown[1].style, 0);

    MGForm red;
    red.setStyle(1);
    EXPECT_EQ(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    red.setStyle(0);
    EXPECT_NE(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    EXPECT_TRUE(red.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}
