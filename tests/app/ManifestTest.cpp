#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {
// The manifest Windows reads as it starts the built program; empty when there is none.
std::string ProgramManifest()
{
    HMODULE program = ::LoadLibraryExA(ORBIQUEL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program)
        return "";
    std::string text;
    HRSRC found = ::FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    HGLOBAL loaded = found ? ::LoadResource(program, found) : nullptr;
    if (loaded)
        text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(program, found));
    ::FreeLibrary(program);
    return text;
}

bool Holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
}

TEST(Manifest, TheProgramRunsWithTheUsersRightsOnEverySystemFromVista)
{
    std::string manifest = ProgramManifest();
    ASSERT_FALSE(manifest.empty()) << "no manifest in " << ORBIQUEL_EXE;
    EXPECT_TRUE(Holds(manifest, "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
    const char* systems[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* system : systems)
        EXPECT_TRUE(Holds(manifest, std::string("<supportedOS Id=\"") + system + "\"/>")) << system;
    // Common controls 6 would redraw the skinned list and the message boxes.
    EXPECT_FALSE(Holds(manifest, "Microsoft.Windows.Common-Controls"));
}

// Windows 10 from 1703 on reads dpiAwareness and takes its first value it
// knows; older systems read dpiAware alone.
TEST(Manifest, TheProgramDrawsAtTheDisplaysOwnScale)
{
    std::string manifest = ProgramManifest();
    EXPECT_TRUE(Holds(manifest, "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"));
    EXPECT_TRUE(Holds(manifest, "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                                "PerMonitorV2, System</dpiAwareness>"));
}
