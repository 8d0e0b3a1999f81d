#pragma once
#include <string>
#include <vector>
#include "testing/harness/HarnessTypes.h"

// xdotool command lines for real input into the Wine desktop's X window.
// Positions are desktop coordinates, which are offsets in that window.
namespace e2e {

std::vector<std::string> MoveArguments(const std::string& window, Point to);
// Moves there, pauses, then presses the button (and holds it).
std::vector<std::string> PressArguments(const std::string& window, Point at, int button);
std::vector<std::string> ClickArguments(const std::string& window, Point at, int button, int repeat);
// Button down at from, steps moves to the points along the line, button up:
// the last move lands exactly on to.
std::vector<std::string> DragArguments(const std::string& window, Point from, Point to, int steps, int button);
// The points a drag passes through after its start, ending at to.
std::vector<Point> DragPath(Point from, Point to, int steps);

}
