#include "students/ChildWait.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace sijill::students {

bool waitForChild(QProcess& child, int limitMs) {
    if (child.state() == QProcess::NotRunning && child.error() == QProcess::FailedToStart)
        return false;
    if (child.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&child, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart || e == QProcess::Crashed)
                loop.quit();
        });
        limit.start(limitMs);
        // The child may have ended before the loop could hear of it.
        if (child.state() != QProcess::NotRunning)
            loop.exec();
    }
    if (child.state() == QProcess::NotRunning)
        return child.error() != QProcess::FailedToStart;
    // Past the limit: a reader that loops on a damaged file is stopped here.
    child.kill();
    child.waitForFinished(5000);
    return false;
}

} // namespace sijill::students
