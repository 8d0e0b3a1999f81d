#pragma once
#include <cstdio>
#include <stdexcept>
#include <string>
#include "testing/harness/HarnessPaths.h"

// Lays out a Vis folder for an end-to-end test with the stand-in plug-ins'
// own script: one "KIND|RELATIVE PATH[|DISPLAY NAME]" line per entry
// (testing/plugins/README.md).
inline void LayOutVisFolder(const std::string& visFolder, const std::string& layout)
{
    std::string command = "sh '" + e2e::SourceDir() + "/testing/plugins/lay-out-vis.sh' '" + e2e::Win32BuildDir() +
                          "/testing/plugins' '" + visFolder + "'";
    FILE* script = ::popen(command.c_str(), "w");
    if (!script)
        throw std::runtime_error("cannot run " + command);
    std::fputs(layout.c_str(), script);
    if (::pclose(script) != 0)
        throw std::runtime_error("laying out " + visFolder + " failed");
}
