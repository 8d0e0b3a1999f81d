#include <windows.h>
#include "testing/probe/ProbeCommands.h"

// The display's logical resolution, read the way the program reads it.
bool DpiCommand(const ProbeRecord&, ProbeReply& reply)
{
    HDC display = ::CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (!display)
        return reply.Fail("no display context");
    reply.Add("dpi").SetNumber("x", ::GetDeviceCaps(display, LOGPIXELSX)).SetNumber("y", ::GetDeviceCaps(display, LOGPIXELSY));
    ::DeleteDC(display);
    return true;
}
