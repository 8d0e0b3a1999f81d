#include <cstdlib>
#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    CWinApp* app = AfxGetApp();
    return app ? app->Run(instance, commandLine) : 1;
}

// Takes the place of the C++ runtime's default terminate handler, which
// writes the uncaught exception's demangled type to a console that a
// windowed program does not have, and brings the whole demangler into the
// executable for it. No exception leaves our code; should one, the program
// ends at once, as it would after that message.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}
