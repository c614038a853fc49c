#pragma once

#include <QString>

namespace sijill {

// The process-wide variables that the windows share. Everything else is kept
// by the windows and modules that own it.
struct AppState {
    // True while a confirmed print run over several classes is printing.
    bool PrintBatchActive = false;
    // True while the calendar picks the month of the monthly absence sheet.
    bool AbsenceMonthMode = false;
    // "|n" per class-list item, in list order.
    QString ClassCounts;
};

AppState& appState();

} // namespace sijill
