#pragma once

#include <QImage>
#include <QSizeF>

namespace sijill::report {

// The finest a picture is printed. A logo of a few centimetres shows no more
// on an office printer, and every pixel past this must be compressed into
// each PDF file of a print run anew (the logo was a third of a run's time).
constexpr double kPictureDotsPerInch = 150.0;

// The picture at no more pixels than its box (in twips) holds at
// kPictureDotsPerInch, keeping its proportions; a picture already that small
// is returned as it is. Results are kept for the next job of a print run, so
// a run scales the school's logo once.
QImage printablePicture(const QImage& picture, const QSizeF& boxTwips);

} // namespace sijill::report
