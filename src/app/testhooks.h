#pragma once

#include <QString>

// Switches read from PARLINO_TEST_HOOKS (a comma-separated list) so that tests
// and the start-up benchmark can drive the real program as a child process.
// Unset in normal use, where all of these are off.
//   report        - every message box is written to standard error and then
//                   answered with its default button as soon as it shows
//   throw         - after the first show, a handler raises an error that no
//                   one catches
//   quit-on-show  - the program ends as soon as its window has been shown
//                   and painted for the first time
namespace TestHooks {

bool Enabled(const QString& hook);

// Writes one line to standard error when the "report" hook is on.
void Report(const QString& line);

} // namespace TestHooks
