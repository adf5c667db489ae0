#pragma once

// SIGTERM, SIGINT and SIGHUP end the program from whatever it is doing: a box, a dialog, the loop of
// an animation, before or inside its main event loop. The handler only notes the signal; the event
// loop then closes the windows as the user would and leaves every loop it is in, so that the program
// ends through its normal close, its settings written, with exit code 0.
namespace TerminationSignals {

// Installs the handlers; the application object must exist and outlive them.
void Install();
// A signal has come: waits end at once, and the main event loop should not be entered.
bool Pending();

} // namespace TerminationSignals
