#pragma once

// Runs call(context) and survives an exception that escapes it (an access
// violation in an outside library, say): the call is abandoned and the
// result is false. call must not throw C++ exceptions or allocate.
bool RunGuarded(void (*call)(void* context), void* context);
