#pragma once

#include <QString>

namespace sijill {

// The process-wide variables that the windows share. Everything else is kept
// by the windows and modules that own it.
struct AppState {
    // Answer of the last message box: cleared when a box opens, the pressed
    // button's flag set; a box closed without a button sets none.
    bool MsgOk = false;
    bool MsgCancelled = false;
    bool MsgYes = false;
    bool MsgNo = false;

    // True while a confirmed print run over several classes is printing.
    bool PrintBatchActive = false;
    // True while the calendar picks the month of the monthly absence sheet.
    bool AbsenceMonthMode = false;
    // "|n" per class-list item, in list order.
    QString ClassCounts;

    void clearMessageFlags() { MsgOk = MsgCancelled = MsgYes = MsgNo = false; }
};

AppState& appState();

} // namespace sijill
