#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace sijill::test {

// The windows on view: visible top-level widgets, less the tooltips Qt keeps
// for itself.
std::vector<QWidget*> windowsOnView();

// A window as a failure names it: class, object name and title.
std::string describeWindow(const QWidget* window);

// Fails the running test once for every window it left on view, naming each,
// then closes them (any question their close asks is answered by closing
// it), so that the next test starts with none. A window that refuses to
// close is hidden.
void failOnWindowsLeftOpen();

// Runs failOnWindowsLeftOpen() after every test, once its fixture is gone.
void checkWindowsAfterEachTest();

} // namespace sijill::test
