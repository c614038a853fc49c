#include "platform/QtArabic.h"

#include "platform/ChildWindow.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sijill::platform {

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
    // Installing a translation may set the direction from it; the program's
    // windows are right to left in any case.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    return true;
}

void setUpArabicDesktop() {
    loadQtArabic();
    QCoreApplication* app = QCoreApplication::instance();
    placeWindowsAsShown(app);
    ignoreInputToDisabledWindows(app);
}

} // namespace sijill::platform
