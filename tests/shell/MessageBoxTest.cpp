#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "shell/Ask.h"
#include "shell/ProgramMessageBox.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <optional>
#include <type_traits>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;

namespace {

Buttons buttonsOf(int mode) {
    return mode == 2 ? Buttons::OkCancel : mode == 3 ? Buttons::YesNoCancel : Buttons::YesNo;
}

YesEffect effectOf(platform::YesDoes yes) {
    switch (yes) {
    case platform::YesDoes::Keeps:
        return YesEffect::Keeps;
    case platform::YesDoes::SavesTyped:
        return YesEffect::SavesTyped;
    default:
        return YesEffect::Destroys;
    }
}

// Shows the box of a mode as the program asks for it: 1 a notice, 4 the
// notice that closes itself, 2, 3 and 5 a question, whose answer is returned.
std::optional<Answer> show(int mode, const QString& text,
                           platform::YesDoes yes = platform::YesDoes::Keeps) {
    switch (mode) {
    case 1:
        tell(text);
        return std::nullopt;
    case 4:
        flash(text);
        return std::nullopt;
    default:
        return ask({text, buttonsOf(mode), effectOf(yes)});
    }
}

// Passes each box to the scripted presenter and keeps the answer the box gave.
class AnswerRecorder : public platform::DialogPresenter {
public:
    explicit AnswerRecorder(platform::DialogPresenter& script) : script_(script) {}
    void present(QDialog& dialog) override {
        script_.present(dialog);
        answers.push_back(dynamic_cast<ProgramMessageBox&>(dialog).answer());
    }
    std::vector<Answer> answers;

private:
    platform::DialogPresenter& script_;
};

// The answer a box of `mode` gave to `press`; a question returns the same.
Answer answerTo(int mode, const QString& press) {
    ScriptedScope scope;
    scope.dialogs().answer(press);
    auto recorder = std::make_shared<AnswerRecorder>(scope.dialogs());
    const auto previous = platform::setDialogPresenter(recorder);
    const std::optional<Answer> returned = show(mode, QStringLiteral("سؤال"));
    platform::setDialogPresenter(previous);
    EXPECT_TRUE(scope.dialogs().unanswered.isEmpty())
        << scope.dialogs().unanswered.join(' ').toStdString();
    EXPECT_EQ(recorder->answers.size(), 1u);
    const Answer given = recorder->answers.empty() ? Answer::None : recorder->answers.front();
    if (returned) {
        EXPECT_EQ(*returned, given);
    }
    return given;
}

// What a key did to a box: the answer, and whether the box stayed open.
struct KeyResult {
    Answer answer;
    bool stillOpen;
    bool operator==(const KeyResult&) const = default;
};

// Presses a key on a shown box as the window system delivers it: to the
// widget holding the focus, passing up to the box when that widget ignores it.
KeyResult press(ProgramMessageBox& box, int key) {
    box.show();
    QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    const KeyResult result{box.answer(), box.isVisible()};
    static_cast<QDialog&>(box).reject();
    return result;
}

// Shows a box of `mode` as the program asks for it and presses a key on it.
KeyResult pressOn(int mode, platform::YesDoes yes, int key,
                  const QString& text = QStringLiteral("سؤال")) {
    ScriptedScope scope;
    KeyResult result{Answer::None, false};
    scope.dialogs().custom = [&](QDialog& d) {
        result = press(dynamic_cast<ProgramMessageBox&>(d), key);
        return true;
    };
    const std::optional<Answer> returned = show(mode, text, yes);
    if (returned) {
        EXPECT_EQ(*returned, result.answer);
    }
    return result;
}

} // namespace

// Enter and Escape follow what the question's yes does, in every mode.
TEST(Ask, EnterAndEscapeAnswerByWhatTheYesDoes) {
    using platform::YesDoes;
    struct Row {
        int mode;
        YesDoes yes;
        Answer enter, escape;
    };
    const std::vector<Row> rows = {
        {1, YesDoes::NoQuestion, Answer::Ok, Answer::Ok},
        {2, YesDoes::Keeps, Answer::Ok, Answer::Cancel},
        {2, YesDoes::Destroys, Answer::Cancel, Answer::Cancel},
        {2, YesDoes::SavesTyped, Answer::Cancel, Answer::None},
        {3, YesDoes::Keeps, Answer::Cancel, Answer::Cancel},
        {3, YesDoes::Destroys, Answer::Cancel, Answer::Cancel},
        {3, YesDoes::SavesTyped, Answer::Cancel, Answer::Cancel},
        {5, YesDoes::Keeps, Answer::No, Answer::None},
        {5, YesDoes::Destroys, Answer::No, Answer::None},
        {5, YesDoes::SavesTyped, Answer::Yes, Answer::None},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << r.mode << " effect " << int(r.yes));
        for (int key : {Qt::Key_Return, Qt::Key_Enter})
            EXPECT_EQ(pressOn(r.mode, r.yes, key), (KeyResult{r.enter, false}));
        EXPECT_EQ(pressOn(r.mode, r.yes, Qt::Key_Escape), (KeyResult{r.escape, false}));
    }
    // The notice that closes by itself takes no key.
    EXPECT_EQ(pressOn(4, YesDoes::NoQuestion, Qt::Key_Return), (KeyResult{Answer::None, true}));

    // A question cannot be asked without its effect; a box told none is taken
    // as one whose yes destroys.
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        ProgramMessageBox undeclared;
        undeclared.setMode(2);
        undeclared.setYesDoes(YesDoes::NoQuestion);
        undeclared.layoutForMode();
        EXPECT_EQ(press(undeclared, key), (KeyResult{Answer::Cancel, false}));
    }

    // The button Enter presses holds the focus and is drawn as the default.
    ProgramMessageBox box;
    box.setMode(2);
    box.setYesDoes(YesDoes::Destroys);
    box.layoutForMode();
    EXPECT_EQ(box.focusWidget(), box.buttonNamed("okCancelCancelButton"));
    EXPECT_TRUE(box.buttonNamed("okCancelCancelButton")->isDefault());
    EXPECT_FALSE(box.buttonNamed("okCancelOkButton")->isDefault());
}

// A question must say what its yes does: without it, it does not compile.
static_assert(!std::is_constructible_v<Question, QString, Buttons>);
static_assert(!std::is_constructible_v<Question, QString, Buttons, platform::YesDoes>);
static_assert(std::is_constructible_v<Question, QString, Buttons, YesEffect>);

// A box with a short text is still wide enough for the window manager to draw
// its whole title, the program's name Qt adds after it included.
TEST(SystemMessageBox, IsAsWideAsItsTitleBarNeeds) {
    for (const QString& title : {QStringLiteral("خطأ في الجدول"), QString()}) {
        const auto box =
            platform::systemMessageBox({title, QStringLiteral("لا"), QMessageBox::Ok,
                                        QMessageBox::Critical, platform::YesDoes::NoQuestion});
        box->show();
        QApplication::processEvents();
        const QString shown = title.isEmpty() ? QApplication::applicationDisplayName() : title;
        EXPECT_GE(box->width(), platform::titleBarWidth(shown)) << shown.toStdString();
        EXPECT_GT(platform::titleBarWidth(shown),
                  QFontMetrics(box->font()).horizontalAdvance(shown));
    }
}

TEST(ProgramMessageBox, ALongUnbrokenWordWrapsWholeInsideTheBox) {
    const QString word = QStringLiteral("الصفالأولالمتوسطالمسائيالمدمج").repeated(12);
    ProgramMessageBox box;
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
    EXPECT_GE(box.buttonNamed("okCancelOkButton")->parentWidget()->y(), msg->y() + msg->height());
}

TEST(Ask, EachKindShowsItsButtonsAndAnswersWithThePressedOne) {
    ScriptedScope scope;
    for (int i = 0; i < 4; ++i)
        scope.dialogs().answer(ScriptedDialogs::kClose);
    for (int mode : {1, 2, 3, 5})
        show(mode, QStringLiteral("نص"));
    ASSERT_EQ(scope.dialogs().shown.size(), 4u);
    EXPECT_EQ(scope.dialogs().shown[0].buttons, QStringList({"موافق"}));
    EXPECT_EQ(scope.dialogs().shown[1].buttons, QStringList({"إلغاء", "موافق"}));
    EXPECT_EQ(scope.dialogs().shown[2].buttons, QStringList({"إلغاء", "لا", "نعم"}));
    EXPECT_EQ(scope.dialogs().shown[3].buttons, QStringList({"لا", "نعم"}));
    for (const test::ShownBox& box : scope.dialogs().shown)
        EXPECT_EQ(box.title, QStringLiteral("تنبيه"));

    EXPECT_EQ(answerTo(1, "موافق"), Answer::Ok);
    EXPECT_EQ(answerTo(2, "موافق"), Answer::Ok);
    EXPECT_EQ(answerTo(2, "إلغاء"), Answer::Cancel);
    EXPECT_EQ(answerTo(3, "نعم"), Answer::Yes);
    EXPECT_EQ(answerTo(3, "لا"), Answer::No);
    EXPECT_EQ(answerTo(3, "إلغاء"), Answer::Cancel);
    EXPECT_EQ(answerTo(5, "نعم"), Answer::Yes);
    EXPECT_EQ(answerTo(5, "لا"), Answer::No);
}

TEST(Ask, ClosingWithoutAButtonAnswersNothingEvenAfterAnEarlierAnswer) {
    EXPECT_EQ(answerTo(2, "موافق"), Answer::Ok);
    EXPECT_EQ(answerTo(2, ScriptedDialogs::kClose), Answer::None);
}

TEST(Ask, TheFlashClosesItselfWithoutAnAnswer) {
    ScriptedScope scope;
    scope.dialogs().answer(ScriptedDialogs::kRun);
    auto recorder = std::make_shared<AnswerRecorder>(scope.dialogs());
    const auto previous = platform::setDialogPresenter(recorder);
    QElapsedTimer t;
    t.start();
    flash(QStringLiteral("تم التحديث"));
    const qint64 elapsed = t.elapsed();
    platform::setDialogPresenter(previous);
    EXPECT_GE(elapsed, 650);
    EXPECT_LT(elapsed, 5000);
    EXPECT_TRUE(scope.dialogs().shown[0].buttons.isEmpty());
    EXPECT_EQ(recorder->answers, std::vector<Answer>{Answer::None});
}

// A question asked in Qt's box goes to the system presenter with its title,
// icon, buttons and effect, and returns the button pressed there.
TEST(Ask, AQuestionInQtsBoxReturnsItsButton) {
    struct Row {
        Buttons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton pressed;
        Answer answer;
    };
    const std::vector<Row> rows = {
        {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
         Answer::Cancel},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, Answer::None},
    };
    for (const Row& r : rows) {
        ScriptedScope scope;
        scope.systemAnswers.push_back(r.pressed);
        EXPECT_EQ(ask({QStringLiteral("سؤال"), r.buttons, YesEffect::Destroys,
                       QtBox{QStringLiteral("عنوان"), QMessageBox::Warning}}),
                  r.answer);
        EXPECT_TRUE(scope.dialogs().shown.empty());
        ASSERT_EQ(scope.systemShown.size(), 1u);
        const platform::SystemMessage& m = scope.systemShown[0];
        EXPECT_EQ(m.title, QStringLiteral("عنوان"));
        EXPECT_EQ(m.text, QStringLiteral("سؤال"));
        EXPECT_EQ(m.buttons, r.shown);
        EXPECT_EQ(m.icon, QMessageBox::Warning);
        EXPECT_EQ(m.yes, platform::YesDoes::Destroys);
    }
}

TEST(ProgramMessageBox, GrowsWithLinesAndNeverCutsALongLine) {
    ProgramMessageBox one;
    one.setMessage(QStringLiteral("سطر واحد"));
    one.setMode(1);
    one.layoutForMode();
    const int lineHeight = one.messageLabel()->height();
    EXPECT_EQ(one.width(), platform::twips(6825));
    EXPECT_EQ(one.height(), lineHeight + platform::twips(1365));

    ProgramMessageBox three;
    three.setMessage(QStringLiteral("سطر\rسطر ثان\rسطر ثالث"));
    three.setMode(1);
    three.layoutForMode();
    EXPECT_EQ(three.messageLabel()->height(), 3 * lineHeight);
    EXPECT_EQ(three.height() - one.height(), 2 * lineHeight);
    auto* ok3 = three.buttonNamed("okButton")->parentWidget();
    auto* ok1 = one.buttonNamed("okButton")->parentWidget();
    EXPECT_EQ(ok3->y() - ok1->y(), 2 * lineHeight);
    EXPECT_EQ(ok1->x() + ok1->width() / 2, one.width() / 2); // centred under the text

    ProgramMessageBox wide;
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

TEST(ProgramMessageBox, StyleOnePaintsTheTitleRedAndTheNextBoxStartsFresh) {
    ScriptedScope scope;
    scope.dialogs().answer("موافق");
    scope.dialogs().answer("موافق");
    tell(QStringLiteral("أ"), Tone::Alarm);
    tell(QStringLiteral("ب"));
    EXPECT_EQ(scope.dialogs().shown[0].style, 1);
    EXPECT_EQ(scope.dialogs().shown[1].style, 0);

    ProgramMessageBox red;
    red.setStyle(1);
    EXPECT_EQ(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    red.setStyle(0);
    EXPECT_NE(red.titleBar()->palette().color(QPalette::Window), QColor(0xF1, 0x47, 0x4E));
    EXPECT_TRUE(red.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}
