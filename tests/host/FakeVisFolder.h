#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include "host/RenameBatch.h"

// A Vis folder in memory: names (sub-folders' files as "folder\file") and
// their stamps, renamed as the real move does, never replacing a name. A
// name in failing refuses every move to or from it, as a file held open would.
struct FakeVisFolder {
    std::map<std::string, std::string> names;
    std::set<std::string> failing;
    std::vector<std::string> tried;

    bool Move(const std::string& from, const std::string& to)
    {
        tried.push_back(from + ">" + to);
        if (!names.count(from) || (names.count(to) && from != to) || failing.count(from) || failing.count(to))
            return false;
        std::map<std::string, std::string> moved;
        for (const auto& [name, stamp] : names) {
            if (name == from)
                moved[to] = stamp;
            else if (name.compare(0, from.size() + 1, from + "\\") == 0)
                moved[to + name.substr(from.size())] = stamp;
            else
                moved[name] = stamp;
        }
        names = moved;
        return true;
    }

    MoveName Mover()
    {
        return [this](const std::string& from, const std::string& to) { return Move(from, to); };
    }

    LookUpName LookUp() const
    {
        return [this](const std::string& name) -> std::optional<std::string> {
            auto found = names.find(name);
            return found == names.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }
};
