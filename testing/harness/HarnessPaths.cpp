#include "testing/harness/HarnessPaths.h"

namespace e2e {

std::string SourceDir() { return ORBIQUEL_SOURCE_DIR; }
std::string Win32BuildDir() { return ORBIQUEL_WIN32_BUILD_DIR; }
std::string AppExecutable() { return Win32BuildDir() + "/app/Orbiquel.exe"; }
std::string HostExecutable() { return Win32BuildDir() + "/testing/host/Melodrift.exe"; }
std::string ProbeExecutable() { return Win32BuildDir() + "/testing/probe/orbiquel_probe.exe"; }
std::string WineRunScript() { return SourceDir() + "/testing/wine-run.sh"; }
std::string OutputDir() { return ORBIQUEL_E2E_OUTPUT_DIR; }

std::string WinePrefix(int dpi, const std::string& locale, bool fileDialogs)
{
    std::string prefix = Win32BuildDir() + "/wineprefix";
    if (dpi != 96)
        prefix += "-" + std::to_string(dpi) + "dpi";
    if (!locale.empty())
        prefix += "-" + locale.substr(0, locale.find('.'));
    if (fileDialogs)
        prefix += "-dialogs";
    return prefix;
}

std::string ToWindowsPath(const std::string& linuxPath)
{
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}
