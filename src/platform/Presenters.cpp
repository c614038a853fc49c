#include "platform/Presenters.h"

#include "platform/QtArabic.h"

#include <QDialog>
#include <QPushButton>

namespace sijill::platform {

namespace {

class ExecPresenter : public DialogPresenter {
public:
    void present(QDialog& dialog) override { dialog.exec(); }
};

class RealSystemMessagePresenter : public SystemMessagePresenter {
public:
    QMessageBox::StandardButton show(const SystemMessage& m) override {
        const auto box = systemMessageBox(m);
        box->exec();
        return systemAnswer(*box);
    }
};

std::shared_ptr<DialogPresenter>& currentDialog() {
    static std::shared_ptr<DialogPresenter> p = std::make_shared<ExecPresenter>();
    return p;
}

std::shared_ptr<SystemMessagePresenter>& currentSystem() {
    static std::shared_ptr<SystemMessagePresenter> p =
        std::make_shared<RealSystemMessagePresenter>();
    return p;
}

} // namespace

KeyAnswers keyAnswers(YesDoes yes, bool hasNo, bool hasCancel) {
    const bool threeAnswers = hasNo && hasCancel;
    const BoxAnswer declines = hasCancel ? BoxAnswer::Cancel : BoxAnswer::None;
    switch (yes) {
    case YesDoes::NoQuestion:
        if (!hasNo && !hasCancel)
            return {BoxAnswer::Yes, BoxAnswer::Yes};
        break; // a question that declares nothing is taken as the safe side
    case YesDoes::Keeps:
        // With yes, no and Cancel no single answer only goes on: Enter cancels.
        return {threeAnswers ? BoxAnswer::Cancel : BoxAnswer::Yes, declines};
    case YesDoes::Destroys:
        break;
    case YesDoes::SavesTyped:
        // No drops the typing: Escape answers only where Cancel stands beside No.
        return {hasCancel ? BoxAnswer::Cancel : BoxAnswer::Yes,
                threeAnswers ? BoxAnswer::Cancel : BoxAnswer::None};
    }
    return {hasCancel ? BoxAnswer::Cancel : BoxAnswer::No, declines};
}

SystemMessage::SystemMessage(QString title, QString text, QMessageBox::StandardButtons buttons,
                             QMessageBox::Icon icon, YesDoes yes)
    : title(std::move(title)), text(std::move(text)), buttons(buttons), icon(icon), yes(yes) {}

std::unique_ptr<QMessageBox> systemMessageBox(const SystemMessage& m) {
    auto box = std::make_unique<QMessageBox>(m.icon, m.title, m.text, m.buttons);
    box->setLayoutDirection(Qt::RightToLeft);
    if (box->buttons().size() < 2)
        return box;
    const KeyAnswers keys = keyAnswers(m.yes, m.buttons.testFlag(QMessageBox::No),
                                       m.buttons.testFlag(QMessageBox::Cancel));
    const auto button = [&m](BoxAnswer a) {
        switch (a) {
        case BoxAnswer::Yes:
            return m.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        case BoxAnswer::No:
            return QMessageBox::No;
        case BoxAnswer::Cancel:
            return QMessageBox::Cancel;
        case BoxAnswer::None:
            break;
        }
        return QMessageBox::NoButton;
    };
    box->setDefaultButton(button(keys.enter));
    if (keys.escape == BoxAnswer::None) {
        // Left alone, the box would make No its escape; a hidden button takes
        // Escape and the window's close instead, and answers nothing.
        QPushButton* nothing = box->addButton(QString(), QMessageBox::RejectRole);
        nothing->hide();
        box->setEscapeButton(nothing);
    } else {
        box->setEscapeButton(button(keys.escape));
    }
    return box;
}

QMessageBox::StandardButton systemAnswer(const QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
}

DialogPresenter& dialogPresenter() {
    return *currentDialog();
}

std::shared_ptr<DialogPresenter> setDialogPresenter(std::shared_ptr<DialogPresenter> p) {
    auto previous = currentDialog();
    currentDialog() = p ? std::move(p) : std::make_shared<ExecPresenter>();
    return previous;
}

std::shared_ptr<SystemMessagePresenter>
setSystemMessagePresenter(std::shared_ptr<SystemMessagePresenter> p) {
    auto previous = currentSystem();
    currentSystem() = p ? std::move(p) : std::make_shared<RealSystemMessagePresenter>();
    return previous;
}

QMessageBox::StandardButton showSystemMessage(const SystemMessage& message) {
    // A box without a title of its own carries the program's name.
    SystemMessage m = message;
    if (m.title.isEmpty())
        m.title = programDisplayName();
    return currentSystem()->show(m);
}

} // namespace sijill::platform
