#include "platform/QtArabic.h"

#include "platform/ChildWindow.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sijill::platform {

namespace {

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
    placeWindowsAsShown(app);
    ignoreInputToDisabledWindows(app);
}

} // namespace sijill::platform
