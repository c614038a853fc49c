#pragma once

#include <QFont>
#include <QString>

namespace sijill::platform {

// The installed font that stands in for a font named by a window or a layout
// (the designed fonts are not installed here). Unknown names pass through.
QString fontFamilyFor(const QString& designedFamily);

// A font by its designed family, size in points and weight (400 normal, 700 bold).
QFont designedFont(const QString& family, double pointSize, int weight = 400);

// The two designed families the windows are drawn in: the program's own face
// and its free cut, named here once for every window.
QString windowFamily();
QString windowFreeFamily();
QFont windowFont(double pointSize, int weight = 400);
QFont windowFreeFont(double pointSize, int weight = 400);

} // namespace sijill::platform
