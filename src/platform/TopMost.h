#pragma once

class QWidget;

namespace sijill::platform {

// Keeps a window above the others, or releases it, without moving or resizing it.
void SetTopMost(QWidget* window);
void ClearTopMost(QWidget* window);

} // namespace sijill::platform
