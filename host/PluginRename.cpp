#include "host/PluginRename.h"
#include "framework/CodePageText.h"
#include "host/RenamePlan.h"
#include "res/resource.h"

namespace {
// Moving a file onto its own name is a rename that changes nothing, and
// succeeds exactly when the file is there.
bool Rename(const std::string& source, const std::string& target)
{
    if (source == target)
        return ::GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES;
    return ::MoveFileA(source.c_str(), target.c_str()) != FALSE;
}
}

bool RenamePluginFile(const std::string& visFolder, int row, const std::string& file, bool wantEnabled,
                      const RenameFailure& askToGoOn, std::string* nameOnDisk)
{
    std::string ignored;
    std::string& now = nameOnDisk ? *nameOnDisk : ignored;
    now = file;
    // The "?" of a character the code page cannot hold leaves a name that
    // no rename can be trusted with: reported without trying.
    if (HoldsUnmappedChar(file))
        return askToGoOn(IDS_TAG_FAILED, file);
    RenamePlan plan = PlanRename(row, file, wantEnabled);
    if (!Rename(visFolder + plan.tagSource, visFolder + plan.tagTarget))
        return askToGoOn(IDS_TAG_FAILED, file);
    now = plan.newName;
    if (plan.changesState && !Rename(visFolder + plan.newName, visFolder + plan.stateTarget))
        return askToGoOn(IDS_ENABLE_FAILED, plan.stateTarget);
    if (plan.changesState)
        now = plan.stateTarget;
    return true;
}
