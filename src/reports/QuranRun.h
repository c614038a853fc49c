#pragma once

#include "reports/PrintRun.h"

namespace sijill::reports {

// The Quran-school menu's run, on the host of a print run: for the current
// class (preview), its whole grade or the whole school. Each class is loaded
// and its sheet filled (loadClass, fillHeaders), the question is asked once
// after the first class is ready, and every printed page is followed by a
// wait of 2.5 seconds. A whole-grade run starts at the grade's first class
// and ends after its last; a whole-school run starts at the list's first
// class. Refused while another run is going on.
PrintRunResult runQuranPrint(PrintRunHost& host);

} // namespace sijill::reports
