#include "catalogue/SafeName.h"

namespace {
constexpr const char* kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
constexpr const char* kNumberedDevices[] = {"com", "lpt"};

bool IsNumberedDevice(const std::string& base)
{
    if (base.size() != 4 || base[3] < '0' || base[3] > '9')
        return false;
    for (const char* device : kNumberedDevices)
        if (base.compare(0, 3, device) == 0)
            return true;
    return false;
}
}

// Windows reads the name up to its first dot and drops the spaces before it.
bool IsReservedDeviceName(const std::string& component, LeadByteRule isLead)
{
    std::string base = LowerCase(component.substr(0, FindFirstChar(component, ".", isLead)), isLead);
    size_t end = base.find_last_not_of(' ');
    base.resize(end == std::string::npos ? 0 : end + 1);
    for (const char* device : kDevices)
        if (base == device)
            return true;
    return IsNumberedDevice(base);
}

bool HoldsDeviceName(const std::string& path, LeadByteRule isLead)
{
    size_t start = 0;
    while (start <= path.size()) {
        size_t backslash = FindFirstChar(path.substr(start), "\\/", isLead);
        std::string component = path.substr(start, backslash);
        if (!component.empty() && IsReservedDeviceName(component, isLead))
            return true;
        if (backslash == std::string::npos)
            return false;
        start += backslash + 1;
    }
    return false;
}
