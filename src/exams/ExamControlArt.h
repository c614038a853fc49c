#pragma once

#include <QPixmap>

class QFont;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

// The exam-control window's small pictures, drawn rather than loaded.
namespace sijill::exams::art {

QPixmap closeMark(int size); // the popups' and panels' close picture
QPixmap deleteMark(int width,
                   int height); // a red cross on white: deletePickItemMark, deleteRowButtons
QPixmap calendarMark(int width, int height);  // pickDateButton
QPixmap saveMark(int width, int height);      // saveButton
QPixmap foldMark(int width, int height);      // foldButton
QPixmap optionsMark(int size);                // deleteOptionsButton
QPixmap addPeriodMark(int width, int height); // addPeriodButtons

// A banner over a panel: the text on a coloured band, its font lowered
// until the text fits the band's width and its ascent and descent its height.
QPixmap banner(const QString& text, int width, int height, const QFont& font);

// One line of the font from the top of its highest mark to the bottom of its
// lowest (ascent + descent): the height a control's text needs.
int lineHeight(const QFont& font);

// Grows a control downwards until one line of its font fits inside it (with
// the control's own frame), and a label around its centre until its text's
// width fits too.
void fitOneLine(QWidget* control);
// Lowers a control's font (not below `smallest` points) until one line of
// it fits the control's height.
void fitFontToHeight(QWidget* control, double smallest = 7);

// Lowers a label's font until its text fits its width (not below `smallest` points),
// then shortens the text with an ellipsis.
void fitText(QLabel* label, double smallest = 7);
// Lowers a cell's font (from `points`) until its text fits, not below 6
// points, and shows the text's start; the whole text is its tooltip.
void fitCell(QLineEdit* cell, double points);

} // namespace sijill::exams::art
