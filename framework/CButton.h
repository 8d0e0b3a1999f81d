#pragma once
#include "framework/CWnd.h"

// A push button of a dialog.
class CButton : public CWnd {
};
