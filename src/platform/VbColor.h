#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace sijill::platform {

// Colours are stored as &HBBGGRR (blue in the high byte); values with the top
// bit set name a system colour (&H8000000F the button face, ...).
QColor vbColor(std::uint32_t value);

// The palette role of a system colour, or QPalette::NoRole for a plain colour.
QPalette::ColorRole systemColorRole(std::uint32_t value);

} // namespace sijill::platform
