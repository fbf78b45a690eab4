#pragma once

#include <functional>

class QObject;

// Routes SIGTERM, SIGINT and SIGHUP into the event loop: the handler only
// writes to a pipe, and `onSignal` runs later on the main thread, where it may
// close windows and quit. Call once, after the application object exists.
void HandleTerminationSignals(QObject* context, std::function<void()> onSignal);
