#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MANAGER 102            // 120 dpi and above
#define IDD_MANAGER_SMALLFONT 145  // below 100 dpi

// Icon, bitmaps, menu, clip
#define IDR_MAINFRAME 128
#define IDB_CHECKER 130
#define IDB_LAMP_ENABLED 131
#define IDB_LAMP_DISABLED 132
#define IDB_LAMP_BUILTIN 134
#define IDB_TITLE 143
#define IDR_POPUP 144
#define IDB_BACKGROUND 146
#define IDR_CLIP 101               // resource type "AVI"

// Strings
#define IDS_ABOUTBOX 101
#define IDS_REGION_FAILED 102
#define IDS_NO_HOST_FOLDER 103
#define IDS_TITLE 104
#define IDS_TAG_FAILED 105
#define IDS_ENABLE_FAILED 106
#define IDS_RESTART_HOST 107
#define IDS_CONFIRM_UNINSTALL 108
#define IDS_NO_DISPLAY_NAME 109
#define IDS_NO_HELP 110
#define IDS_HOST_STILL_RUNNING 111
#define IDS_BUILTIN_TIP 112

// Controls of the main window
#define IDC_LIST 1000
#define IDC_CANCEL 1001
#define IDC_ANIMATION 1002

// Commands
#define IDM_ABOUTBOX 0x0010
#define ID_POPUP_ABOUT 32771
#define ID_POPUP_UNINSTALL 32772
#define ID_POPUP_SORT_UP 32773
#define ID_POPUP_SORT_DOWN 32774
#define ID_POPUP_ALL_ON 32775
#define ID_POPUP_ALL_OFF 32776
