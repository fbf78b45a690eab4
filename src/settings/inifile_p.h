#pragma once

#include <QtGlobal>

// Fault injection for tests: the next write stops after `bytes` bytes of the
// new file, as a crash or a full disk would stop it. -1 turns it off.
void SetIniWriteFaultForTesting(qsizetype bytes);
