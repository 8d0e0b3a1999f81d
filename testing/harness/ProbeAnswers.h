#pragma once
#include <vector>
#include "testing/harness/HarnessTypes.h"
#include "testing/probe/ProbeRecord.h"

// The probe's records as harness values.
namespace e2e {

// "left,top,right,bottom"; an empty rectangle when malformed.
Rect ParseRect(const std::string& text);
WindowInfo ToWindowInfo(const ProbeRecord& record);
MenuItem ToMenuItem(const ProbeRecord& record);
ListRow ToListRow(const ProbeRecord& record);
AccessibleRow ToAccessibleRow(const ProbeRecord& record);
ProcessInfo ToProcessInfo(const ProbeRecord& record);
RegistryValue ToRegistryValue(const ProbeRecord& record);
// The answer to wait-dialog: window, child..., icon.
DialogInfo ToDialogInfo(const std::vector<ProbeRecord>& records);

}
