#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace sijill::platform {

// Sizes and positions of the windows are kept in twips, as designed: 15 twips
// make one pixel at 96 dots per inch.
constexpr double kTwipsPerPixel = 15.0;

inline int twips(double t) {
    return static_cast<int>(std::lround(t / kTwipsPerPixel));
}
inline QRect twipsRect(double left, double top, double width, double height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace sijill::platform
