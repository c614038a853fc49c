#include "shell/Ask.h"

#include "platform/Presenters.h"
#include "shell/ProgramMessageBox.h"

namespace sijill::shell {

namespace {

const QString kTitle = QStringLiteral("تنبيه");

// The program's box lays out a question's buttons by its mode (ProgramMessageBox::setMode).
int modeOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::OkCancel:
        return 2;
    case Buttons::YesNoCancel:
        return 3;
    case Buttons::YesNo:
        return 5;
    }
    return 2;
}

platform::YesDoes yesDoes(YesEffect yes) {
    switch (yes) {
    case YesEffect::Keeps:
        return platform::YesDoes::Keeps;
    case YesEffect::Destroys:
        return platform::YesDoes::Destroys;
    case YesEffect::SavesTyped:
        return platform::YesDoes::SavesTyped;
    }
    return platform::YesDoes::Destroys;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok | QMessageBox::Cancel;
}

Answer answerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::None;
    }
}

// The program's box is built anew for every message, so each one starts from
// the design state.
Answer showBox(const QString& text, int mode, Tone tone, platform::YesDoes yes) {
    ProgramMessageBox box;
    box.setYesDoes(yes);
    box.setTitle(kTitle);
    box.setMessage(text);
    box.setMode(mode);
    box.layoutForMode();
    box.setStyle(tone == Tone::Alarm ? 1 : 0);
    platform::dialogPresenter().present(box);
    return box.answer();
}

} // namespace

Answer ask(const Question& question) {
    if (question.qtBox)
        return answerOf(platform::showSystemMessage({question.qtBox->title, question.text,
                                                     qtButtons(question.buttons),
                                                     question.qtBox->icon, yesDoes(question.yes)}));
    return showBox(question.text, modeOf(question.buttons), question.tone, yesDoes(question.yes));
}

void tell(const QString& text, Tone tone) {
    showBox(text, 1, tone, platform::YesDoes::NoQuestion);
}

void flash(const QString& text) {
    showBox(text, 4, Tone::Plain, platform::YesDoes::NoQuestion);
}

} // namespace sijill::shell
