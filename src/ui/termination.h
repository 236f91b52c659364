// Ends the game cleanly on SIGTERM, SIGINT or SIGHUP (a desktop logging out, Ctrl+C in a
// terminal): the game window closes as if its close box had been used, so the setting is
// saved and the music stopped.
#pragma once

class QWidget;

namespace kestrune::ui {

// Installs the handlers; from then on such a signal closes `window` from the event loop.
void CloseOnTerminationSignals(QWidget* window);

}  // namespace kestrune::ui
