#pragma once

#include <QPixmap>

class QLabel;
class QLineEdit;

// The exam-control window's small pictures, drawn rather than loaded.
namespace sijill::exams::art {

QPixmap closeMark(int size);                  // the popups' and panels' close picture
QPixmap deleteMark(int width, int height);    // a red cross on white: DelT, PicDataDel
QPixmap calendarMark(int width, int height);  // Picture6
QPixmap saveMark(int width, int height);      // cmdSave
QPixmap foldMark(int width, int height);      // Image10
QPixmap optionsMark(int size);                // DelOptions
QPixmap addPeriodMark(int width, int height); // Image7

// Lowers a label's font until its text fits its width (not below 7 points),
// then shortens the text with an ellipsis.
void fitText(QLabel* label);
// Lowers a cell's font (from `points`) until its text fits, not below 6
// points, and shows the text's start; the whole text is its tooltip.
void fitCell(QLineEdit* cell, double points);

} // namespace sijill::exams::art
