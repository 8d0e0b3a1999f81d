#pragma once
#include <string>
#include <vector>
#include "testing/probe/ProbeRecord.h"

// The answer to one probe request: records, or why it failed.
struct ProbeReply {
    std::vector<ProbeRecord> records;
    std::string error;

    ProbeRecord& Add(const std::string& kind)
    {
        records.emplace_back(kind);
        return records.back();
    }
    bool Fail(const std::string& why)
    {
        error = why;
        return false;
    }
};

// One sub-command of the probe: reads the request's fields, fills the reply.
using ProbeHandler = bool (*)(const ProbeRecord& request, ProbeReply& reply);
