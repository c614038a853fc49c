#include "platform/Presenters.h"

#include "platform/QtArabic.h"
#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QGridLayout>

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
        const int r = box->exec();
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

bool erasesData(const QString& text) {
    return text.contains(QStringLiteral("حذف")) || text.contains(QStringLiteral("مسح"));
}

std::unique_ptr<QMessageBox> systemMessageBox(const SystemMessage& m) {
    auto box = std::make_unique<QMessageBox>(m.icon, m.title, m.text, m.buttons);
    box->setLayoutDirection(Qt::RightToLeft);
    // Qt sizes a box by its text: a short one leaves the title bar too narrow
    // for its title.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const QString title = m.title.isEmpty() ? programDisplayName() : m.title;
        grid->addItem(new QSpacerItem(titleBarWidth(title), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    if (erasesData(m.text)) {
        for (const QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No}) {
            if (m.buttons.testFlag(b)) {
                box->setDefaultButton(b);
                box->setEscapeButton(b);
                break;
            }
        }
    }
    return box;
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
