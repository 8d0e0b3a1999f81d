#include "host/RenamePlan.h"
#include <cstring>
#include "catalogue/PluginFileName.h"
#include "catalogue/VisPlugin.h"

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

SavePlan PlanSaveRenames(const std::vector<SaveRow>& rows, const std::map<std::string, std::string>& stamps,
                         LeadByteRule isLead)
{
    SavePlan save;
    for (size_t index = 0; index < rows.size(); ++index) {
        const SaveRow& row = rows[index];
        int plugin = static_cast<int>(index);
        if (HoldsUnmappedChar(row.file)) {
            save.steps.push_back({row.file, row.file, "", plugin, false});
            save.found.resize(save.steps.size(), RenameFound::Lost);
            continue;
        }
        RenamePlan plan = PlanRename(kFirstPluginRow + plugin, row.file, row.wantEnabled, isLead);
        auto stamp = stamps.find(plan.tagSource);
        std::string fileStamp = stamp == stamps.end() ? "" : stamp->second;
        save.steps.push_back({plan.tagSource, plan.tagTarget, fileStamp, plugin, false});
        if (plan.changesState)
            save.steps.push_back({plan.newName, plan.stateTarget, fileStamp, plugin, true});
        save.found.resize(save.steps.size(), RenameFound::NotMade);
    }
    return save;
}

std::vector<JournalRename> SavePlan::Journalled() const
{
    std::vector<JournalRename> journalled;
    journalled.reserve(steps.size());
    for (const JournalRename& step : steps)
        if (step.from != step.to)
            journalled.push_back(step);
    return journalled;
}

int PlannedHostNumber(const std::vector<SaveRow>& rows, int currentRow, LeadByteRule isLead)
{
    if (currentRow < kFirstPluginRow)
        return currentRow;
    size_t current = static_cast<size_t>(currentRow - kFirstPluginRow);
    if (current >= rows.size())
        return kNoVisual;
    // A name never renamed keeps the state it has on disk.
    auto loads = [isLead](const SaveRow& row) {
        return HoldsUnmappedChar(row.file) ? !HasDisabledSuffix(row.file, isLead) : row.wantEnabled;
    };
    if (!loads(rows[current]))
        return kNoVisual;
    int number = kBuiltinCount;
    for (size_t index = 0; index < current; ++index)
        number += loads(rows[index]) ? 1 : 0;
    return number;
}
