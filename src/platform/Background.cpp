#include "platform/Background.h"

#include <QPalette>
#include <QWidget>

namespace sijill::platform {

void fillBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace sijill::platform
