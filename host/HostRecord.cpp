#include "host/HostRecord.h"
#include <cstdlib>
#include <cstring>
#include "host/HostFacts.h"

std::string VisNameFromRecord(const char* record, unsigned long recordSize)
{
    if (!record || recordSize <= host::kInfoVisNameOffset)
        return "";
    const char* name = record + host::kInfoVisNameOffset;
    size_t room = recordSize - host::kInfoVisNameOffset;
    const void* end = std::memchr(name, '\0', room);
    return std::string(name, end ? static_cast<const char*>(end) - name : room);
}

int ParseVisNumber(const std::string& text)
{
    if (text.empty() || text.size() > kVisNumberMaxLength || text[0] < '0' || text[0] > '9')
        return kNoVisual;
    return std::atoi(text.c_str());
}
