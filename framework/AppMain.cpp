#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    CWinApp* app = AfxGetApp();
    return app ? app->Run(instance, commandLine) : 1;
}
