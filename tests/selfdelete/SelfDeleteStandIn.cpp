// A program that removes itself the way Orbiquel does, for the tests.
// Started as "uninstall FLAGS" it calls SelfDelete(FLAGS); any other start is
// a normal one and leaves "<executable>.started" beside it. A folder that
// cannot be removed gets "remove-failed.txt" with the system's error code.
#include <cstdio>
#include <fstream>
#include "selfdelete/CSelfDeleteApp.h"

namespace {
class StandInApp : public CSelfDeleteApp {
public:
    BOOL InitInstance() override
    {
        unsigned long flags = 0;
        if (std::sscanf(m_strCmdLine.c_str(), "uninstall %lu", &flags) == 1) {
            SelfDelete(flags);
            return FALSE;
        }
        char executable[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, executable, MAX_PATH);
        std::ofstream(std::string(executable) + ".started") << m_strCmdLine;
        return FALSE;
    }
    void OnRemoveFolderFailed(const std::string& folder, DWORD error) override
    {
        std::ofstream(folder + "\\remove-failed.txt") << error;
    }
};

StandInApp theApp;
}
