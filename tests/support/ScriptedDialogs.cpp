#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QWindow>

namespace sijill::test {

void pressOnBox(QWidget& box, const QString& press) {
    box.show();
    if (press == ScriptedDialogs::kWindowClose) {
        // The window system's close reaches the widget through its window.
        QCloseEvent close;
        QCoreApplication::sendEvent(box.windowHandle(), &close);
        return;
    }
    const int key = press == ScriptedDialogs::kEnter ? Qt::Key_Return : Qt::Key_Escape;
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box.focusWidget() ? box.focusWidget() : &box, &event);
}

void ScriptedDialogs::present(QDialog& dialog) {
    ShownBox box;
    box.title = dialog.windowTitle();
    box.text = dialog.property("sijillText").toString();
    box.buttons = dialog.property("sijillButtons").toStringList();
    box.mode = dialog.property("sijillMode").toInt();
    box.style = dialog.property("sijillStyle").toInt();
    shown.push_back(box);

    if (custom && custom(dialog))
        return;
    if (answers_.empty()) {
        unanswered << box.text;
        dialog.reject();
        return;
    }
    const QString a = answers_.front();
    answers_.pop_front();
    if (a == kRun) {
        dialog.exec();
        return;
    }
    if (a == kClose) {
        dialog.reject();
        return;
    }
    if (a == kEnter || a == kEscape || a == kWindowClose) {
        pressOnBox(dialog, a);
        if (dialog.isVisible()) {
            unanswered << (QStringLiteral("still open after ") + a + QStringLiteral(": ") +
                           box.text);
            dialog.reject();
        }
        return;
    }
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == a && b->isVisibleTo(&dialog)) {
            b->click();
            return;
        }
    }
    unanswered << (QStringLiteral("no button ") + a + QStringLiteral(" in: ") + box.text);
    dialog.reject();
}

namespace {
class ScriptedSystem : public platform::SystemMessagePresenter {
public:
    explicit ScriptedSystem(ScriptedScope& scope) : scope_(scope) {}
    QMessageBox::StandardButton show(const platform::SystemMessage& m) override {
        scope_.systemShown.push_back(m);
        if (!scope_.systemPresses.empty()) {
            const auto box = platform::systemMessageBox(m);
            pressOnBox(*box, scope_.systemPresses.front());
            scope_.systemPresses.pop_front();
            return platform::systemAnswer(*box);
        }
        if (scope_.systemAnswers.empty())
            return QMessageBox::NoButton;
        const auto a = scope_.systemAnswers.front();
        scope_.systemAnswers.pop_front();
        return a;
    }

private:
    ScriptedScope& scope_;
};
} // namespace

ScriptedScope::ScriptedScope() : dialogs_(std::make_shared<ScriptedDialogs>()) {
    previous_ = platform::setDialogPresenter(dialogs_);
    previousSystem_ = platform::setSystemMessagePresenter(std::make_shared<ScriptedSystem>(*this));
}

ScriptedScope::~ScriptedScope() {
    platform::setDialogPresenter(previous_);
    platform::setSystemMessagePresenter(previousSystem_);
}

} // namespace sijill::test
