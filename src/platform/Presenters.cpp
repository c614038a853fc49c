#include "platform/Presenters.h"

#include <QDialog>

namespace sijill::platform {

namespace {

class ExecPresenter : public DialogPresenter {
public:
    void present(QDialog& dialog) override { dialog.exec(); }
};

class RealSystemMessagePresenter : public SystemMessagePresenter {
public:
    QMessageBox::StandardButton show(const SystemMessage& m) override {
        QMessageBox box(m.icon, m.title, m.text, m.buttons);
        box.setLayoutDirection(Qt::RightToLeft);
        const int r = box.exec();
        return static_cast<QMessageBox::StandardButton>(r);
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
    return currentSystem()->show(message);
}

} // namespace sijill::platform
