#include "platform/QtArabic.h"

#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

namespace sijill::platform {

namespace {

// Places every top-level window as it is shown, Qt's own dialogs included.
class OnScreenGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
                keepOnScreen(w);
        }
        return false;
    }
};

// The program's own words where Qt's Arabic differs: its "Cancel" is the
// imperative "ألغ", which reads as "إلغاء" cut short on every button.
class ProgramWords : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char* = nullptr,
                      int = -1) const override {
        const QByteArray text = QByteArray(source).replace("&", "");
        if (text == "Cancel")
            return QStringLiteral("إلغاء");
        return {};
    }
};

} // namespace

bool loadQtArabic() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const QString name = QStringLiteral("sijillQtArabic");
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(QStringLiteral("qtbase_ar"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    // Installed last, so asked first.
    QCoreApplication::installTranslator(new ProgramWords(app));
    // Installing a translation may set the direction from it; the program's
    // windows are right to left in any case.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    return true;
}

QString programDisplayName() {
    return QStringLiteral("سجل");
}

void setUpArabicDesktop() {
    loadQtArabic();
    QGuiApplication::setApplicationDisplayName(programDisplayName());
    QCoreApplication* app = QCoreApplication::instance();
    const QString name = QStringLiteral("sijillOnScreenGuard");
    if (!app || app->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* guard = new OnScreenGuard(app);
    guard->setObjectName(name);
    app->installEventFilter(guard);
}

} // namespace sijill::platform
