#pragma once

// Whether a copy of the program runs already, from what creating the
// single-instance mutex gave: whether a handle came back, and the last error
// after it. A copy run as administrator holds a mutex that a normal start may
// not open (access denied): that copy runs too.
bool AnotherCopyRuns(bool gotMutex, unsigned long lastError);
