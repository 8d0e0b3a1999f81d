#include "host/RenamePlan.h"
#include <cstdio>
#include <cstring>
#include "host/HostFacts.h"

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithTag(const std::string& name)
{
    return name.size() >= 4 && IsDigit(name[0]) && IsDigit(name[1]) && IsDigit(name[2]) && name[3] == '_';
}

std::string UpToFirstBackslash(const std::string& name)
{
    return name.substr(0, name.find('\\'));
}
}

std::string TaggedName(int row, const std::string& file)
{
    char tag[16];
    std::snprintf(tag, sizeof tag, "%03d_", row);
    return tag + (StartsWithTag(file) ? file.substr(4) : file);
}

bool HasDisabledSuffix(const std::string& name)
{
    size_t suffix = std::strlen(host::kDisabledSuffix);
    return name.size() >= suffix && name.compare(name.size() - suffix, suffix, host::kDisabledSuffix) == 0;
}

RenamePlan PlanRename(int row, const std::string& file, bool wantEnabled)
{
    RenamePlan plan;
    plan.newName = TaggedName(row, file);
    plan.tagSource = UpToFirstBackslash(file);
    plan.tagTarget = UpToFirstBackslash(plan.newName);
    bool disabledOnDisk = HasDisabledSuffix(file);
    plan.changesState = wantEnabled == disabledOnDisk;
    if (plan.changesState)
        plan.stateTarget = wantEnabled ? plan.newName.substr(0, plan.newName.size() - std::strlen(host::kDisabledSuffix))
                                       : plan.newName + host::kDisabledSuffix;
    return plan;
}
