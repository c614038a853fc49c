#include "platform/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace sijill::platform {

namespace {
double& scaleValue() {
    static double value = [] {
        bool ok = false;
        const double v = qEnvironmentVariable("SIJILL_WAIT_SCALE").toDouble(&ok);
        return ok && v >= 0 ? v : 1.0;
    }();
    return value;
}
} // namespace

double waitScale() {
    return scaleValue();
}
void setWaitScale(double scale) {
    scaleValue() = scale < 0 ? 0 : scale;
}

void Wait(double seconds) {
    const qint64 ms = static_cast<qint64>(seconds * waitScale() * 1000.0);
    if (ms <= 0) {
        // A scaled-away wait still lets pending events run once, as a short
        // real one would; a requested wait of 0 or less returns at once.
        if (seconds > 0)
            QCoreApplication::processEvents();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Unlike a pure busy loop this leaves the processor to others.
        QThread::msleep(1);
    }
}

void Wait(const QVariant& seconds) {
    bool ok = false;
    const double s = seconds.toDouble(&ok);
    Wait(ok ? s : 0.0);
}

} // namespace sijill::platform
