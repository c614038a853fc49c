#pragma once

namespace sijill::shell {
class MainForm;
}

namespace sijill::app {

// Connects every feature window to the main window and runs the main
// window's start-up, as the program does before it shows the window. False
// when the program must not go on (a second copy was refused).
bool startProgram(shell::MainForm& main);

} // namespace sijill::app
