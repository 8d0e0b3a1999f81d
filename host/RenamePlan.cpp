#include "host/RenamePlan.h"
#include <cstring>
#include "catalogue/PluginFileName.h"

namespace {
std::string UpToFirstBackslash(const std::string& name, LeadByteRule isLead)
{
    return name.substr(0, FindFirstChar(name, "\\", isLead));
}
}

RenamePlan PlanRename(int row, const std::string& file, bool wantEnabled, LeadByteRule isLead)
{
    RenamePlan plan;
    plan.newName = WithOrderTag(row, file);
    plan.tagSource = UpToFirstBackslash(file, isLead);
    plan.tagTarget = UpToFirstBackslash(plan.newName, isLead);
    bool disabledOnDisk = HasDisabledSuffix(file, isLead);
    plan.changesState = wantEnabled == disabledOnDisk;
    if (plan.changesState)
        plan.stateTarget = wantEnabled ? plan.newName.substr(0, plan.newName.size() - std::strlen(kDisabledSuffix))
                                       : plan.newName + kDisabledSuffix;
    return plan;
}
