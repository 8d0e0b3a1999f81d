#include "app/InstanceClaim.h"

namespace {
const unsigned long kErrorAccessDenied = 5;     // ERROR_ACCESS_DENIED
const unsigned long kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
}

bool AnotherCopyRuns(bool gotMutex, unsigned long lastError)
{
    if (gotMutex)
        return lastError == kErrorAlreadyExists;
    // Any other failure says nothing of another copy; this one runs on, as
    // it would without the mutex.
    return lastError == kErrorAccessDenied;
}
