#include "host/RenameBatch.h"

namespace {
// The step's plug-in is at the far end already, or has nothing to give back.
bool AlreadyThere(RenameFound found, BatchWay way)
{
    return found == (way == BatchWay::Forward ? RenameFound::Made : RenameFound::NotMade);
}

// The name a message gives: where the plug-in is, or for a state step
// forward the name it could not take.
std::string NameOf(const JournalRename& step, BatchWay way)
{
    if (way == BatchWay::Back)
        return step.to;
    return step.stateStep ? step.to : step.from;
}

bool MoveStep(const JournalRename& step, BatchWay way, const MoveName& move)
{
    return way == BatchWay::Forward ? move(step.from, step.to) : move(step.to, step.from);
}
}

BatchResult RunRenameBatch(const std::vector<JournalRename>& steps, std::vector<RenameFound> found, BatchWay way,
                           const MoveName& move, const StepNotMade& stepNotMade)
{
    BatchResult result;
    bool forward = way == BatchWay::Forward;
    // Steps of one plug-in stand together: the one met last that was not made blocks its plug-in.
    bool blocked = false;
    int blockedPlugin = 0;
    for (size_t count = 0; count < steps.size(); ++count) {
        size_t index = forward ? count : steps.size() - 1 - count;
        const JournalRename& step = steps[index];
        if (AlreadyThere(found[index], way) || (blocked && step.plugin == blockedPlugin))
            continue;
        if (found[index] != RenameFound::Lost && MoveStep(step, way, move)) {
            found[index] = forward ? RenameFound::Made : RenameFound::NotMade;
            continue;
        }
        blocked = true;
        blockedPlugin = step.plugin;
        result.notMade.push_back(NameOf(step, way));
        if (stepNotMade && !stepNotMade(step, result.notMade.back())) {
            result.stopped = true;
            break;
        }
    }
    result.found = std::move(found);
    return result;
}

std::string PluginNameNow(const std::string& file, int plugin, const std::vector<JournalRename>& steps,
                          const std::vector<RenameFound>& found)
{
    std::string name = file;
    for (size_t index = 0; index < steps.size(); ++index) {
        const JournalRename& step = steps[index];
        if (step.plugin != plugin || found[index] != RenameFound::Made)
            continue;
        // A tag step moves the file or the sub-folder that holds it.
        if (step.stateStep)
            name = step.to;
        else if (name.compare(0, step.from.size(), step.from) == 0)
            name = step.to + name.substr(step.from.size());
    }
    return name;
}
