#pragma once

#include <QColor>

class QWidget;

namespace sijill::platform {

// Fills the widget's background with `colour` (a form's, a panel's or a
// label's back colour), drawn by the widget itself.
void fillBackground(QWidget* w, const QColor& colour);

} // namespace sijill::platform
