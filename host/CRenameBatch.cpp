#include "host/CRenameBatch.h"
#include "catalogue/VisFolderMove.h"
#include "framework/CWaitCursor.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// A message lists at most this many names, then says how many more there are.
constexpr size_t kListedNames = 20;
}

MoveName CRenameBatch::MoveInVisFolder() const
{
    return [this](const std::string& from, const std::string& to) {
        return MoveWithoutReplace(m_strVisFolder + from, m_strVisFolder + to);
    };
}

BatchResult CRenameBatch::RunSave(const SavePlan& plan) const
{
    CWaitCursor wait;
    auto askToGoOn = [this](const JournalRename& step, const std::string& name) {
        UINT message = step.stateStep ? IDS_ENABLE_FAILED : IDS_TAG_FAILED;
        return m_ask(FormatResString1(message, name), MB_ICONEXCLAMATION | MB_OKCANCEL) == IDOK;
    };
    return RunRenameBatch(plan.steps, plan.found, BatchWay::Forward, MoveInVisFolder(), askToGoOn);
}

BatchResult CRenameBatch::Run(const std::vector<JournalRename>& steps, std::vector<RenameFound> found,
                              BatchWay way) const
{
    BatchResult result;
    {
        CWaitCursor wait;
        result = RunRenameBatch(steps, std::move(found), way, MoveInVisFolder());
    }
    if (!result.notMade.empty())
        m_ask(LoadResString(IDS_RENAMES_FAILED) + "\n" + ListLines(result.notMade, kListedNames, IDS_AND_MORE),
              MB_ICONEXCLAMATION | MB_OK);
    return result;
}
