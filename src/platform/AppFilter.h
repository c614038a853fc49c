#pragma once

#include <QCoreApplication>

namespace sijill::platform {

// Installs an application-wide event filter of the given kind once, however
// often it is asked for (the program and every test set the desktop up).
template <typename Filter> void installAppFilterOnce(QCoreApplication* app, const char* name) {
    const QString objectName = QString::fromLatin1(name);
    if (!app || app->findChild<QObject*>(objectName, Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new Filter(app);
    filter->setObjectName(objectName);
    app->installEventFilter(filter);
}

} // namespace sijill::platform
