#pragma once
// Ends the event loop in an orderly way on SIGTERM, SIGINT and SIGHUP (a
// logout, Ctrl+C in a terminal), so the scratch folder is removed and the
// preferences are written as on a normal close.

class QObject;

namespace kestrin {

// Closes the given main window when one of the signals arrives; a window
// hidden at that moment (while a game runs) is closed when it comes back.
void QuitOnTerminationSignals(QObject* mainWindow);

}  // namespace kestrin
