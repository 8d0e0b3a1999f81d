#pragma once
#include <string>

// Where the build put things; fixed when the harness is compiled.
namespace e2e {

std::string SourceDir();
std::string Win32BuildDir();
std::string AppExecutable();
// The stand-in Melodrift player (testing/host).
std::string HostExecutable();
std::string ProbeExecutable();
std::string WineRunScript();
// The Wine prefix of the given resolution (96 or 120 dots per inch) and Unix
// locale (empty: the usual one); with fileDialogs, the one made for tests that
// open the system's file dialogs (testing/wine-prefix.sh no-mount-manager).
std::string WinePrefix(int dpi, const std::string& locale = "", bool fileDialogs = false);
// Screenshots and other leftovers of the end-to-end tests.
std::string OutputDir();
// Linux path to the same place seen from Wine (drive Z: is the root).
std::string ToWindowsPath(const std::string& linuxPath);

}
