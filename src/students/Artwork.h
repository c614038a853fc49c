#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace sijill::students {

// The green title band of the student windows, its caption at the right.
QPixmap drawnTitleBand(const QSize& size, const QString& caption, double pointSize);

// The round red close picture.
QPixmap drawnCloseButton(int side);

} // namespace sijill::students
