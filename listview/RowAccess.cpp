#include "listview/RowAccess.h"
#include "catalogue/VisPlugin.h"

unsigned long RowAccessState(unsigned long flags, bool selected, bool focused, bool visible)
{
    unsigned long state = ACC_STATE_SELECTABLE | ACC_STATE_FOCUSABLE;
    if (flags & VIS_ENABLED)
        state |= ACC_STATE_CHECKED;
    if (selected)
        state |= ACC_STATE_SELECTED;
    if (focused)
        state |= ACC_STATE_FOCUSED;
    if (!visible)
        state |= ACC_STATE_OFFSCREEN;
    return state;
}

std::string RowAccessDescription(unsigned long flags, const std::string& currentText,
                                 const std::string& problemText)
{
    std::string description = (flags & VIS_CURRENT) ? currentText : "";
    if ((flags & VIS_NO_NAME) && !problemText.empty())
        description += (description.empty() ? "" : " ") + problemText;
    return description;
}
