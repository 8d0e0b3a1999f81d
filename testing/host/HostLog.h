#pragma once
#include <string>

// The stand-in host's log, Melodrift.log beside its executable: one line per
// event. Each line opens, appends and closes, so a second instance can write
// between two lines of the first.
namespace standin_host {

void SetLogFolder(const std::string& folder);
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

}
