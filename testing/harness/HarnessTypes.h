#pragma once
#include <string>
#include <vector>

// What the end-to-end tests learn about the program, in plain values.
// Handles and coordinates are those of the program's Wine desktop: screen
// coordinates there are pixels from the desktop's top-left corner.
namespace e2e {

using Hwnd = long long;

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Point Center() const { return {left + Width() / 2, top + Height() / 2}; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

struct WindowInfo {
    Hwnd handle = 0;
    long pid = 0;
    std::string className;
    std::string text;
    unsigned long style = 0;
    unsigned long exStyle = 0;
    int id = 0;
    bool visible = false;
    Hwnd owner = 0;
    Rect window; // screen coordinates
    Rect client; // screen coordinates
};

struct MenuItem {
    int id = 0;
    std::string text;
    bool separator = false;
    unsigned state = 0;
};

// A dialog box or message box: the window, its controls, and the standard
// icon it shows: "stop", "exclamation", "question", "information", "other" or "none".
struct DialogInfo {
    WindowInfo window;
    std::vector<WindowInfo> controls;
    std::string icon;

    // The texts of its static controls, joined by line breaks (the message).
    std::string Message() const;
    // The button with this text ("OK", "&Yes"...); throws when there is none.
    const WindowInfo& Button(const std::string& text) const;
};

// One row of a list view, with the VisPlugin record its item data points to.
struct ListRow {
    int index = 0;
    std::string text;
    int image = 0;
    unsigned state = 0;           // LVIS_... bits
    unsigned long itemData = 0;
    bool hasRecord = false;       // file, flags and loadIndex were read
    std::string file;
    unsigned long flags = 0;
    int loadIndex = 0;
    Rect bounds;                  // the row, screen coordinates
    Rect icon;                    // its state lamp, screen coordinates
};

// One child of a window's accessible object, as a screen reader reads it.
struct AccessibleRow {
    int index = 0;                // the row: child id - 1
    std::string name;
    long role = 0;                // ROLE_SYSTEM_...
    unsigned long state = 0;      // STATE_SYSTEM_... bits
    std::string description;
    std::string defaultAction;
};

struct ProcessInfo {
    bool running = false;
    long pid = 0;
    unsigned long long peakWorkingSet = 0;
    unsigned long long workingSet = 0;
};

struct RegistryValue {
    bool keyExists = false;
    std::string type; // "sz", "dword", "other" or "missing"
    std::string data;

    bool Exists() const { return type != "missing"; }
};

}
