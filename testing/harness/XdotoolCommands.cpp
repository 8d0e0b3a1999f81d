#include "testing/harness/XdotoolCommands.h"

namespace e2e {

namespace {
// Long enough for Wine to see each event as its own.
constexpr char kStepPause[] = "0.03";
}

std::vector<std::string> MoveArguments(const std::string& window, Point to)
{
    return {"mousemove", "--window", window, std::to_string(to.x), std::to_string(to.y)};
}

std::vector<std::string> PressArguments(const std::string& window, Point at, int button)
{
    std::vector<std::string> arguments = MoveArguments(window, at);
    arguments.insert(arguments.end(), {"sleep", kStepPause, "mousedown", std::to_string(button)});
    return arguments;
}

std::vector<std::string> ClickArguments(const std::string& window, Point at, int button, int repeat)
{
    std::vector<std::string> arguments = MoveArguments(window, at);
    arguments.insert(arguments.end(), {"sleep", kStepPause, "click", "--repeat", std::to_string(repeat), "--delay",
                                       "80", std::to_string(button)});
    return arguments;
}

std::vector<Point> DragPath(Point from, Point to, int steps)
{
    std::vector<Point> path;
    if (steps < 1)
        steps = 1;
    for (int step = 1; step <= steps; ++step)
        path.push_back({from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    return path;
}

std::vector<std::string> DragArguments(const std::string& window, Point from, Point to, int steps, int button)
{
    std::vector<std::string> arguments = PressArguments(window, from, button);
    for (Point point : DragPath(from, to, steps)) {
        arguments.insert(arguments.end(), {"sleep", kStepPause});
        auto move = MoveArguments(window, point);
        arguments.insert(arguments.end(), move.begin(), move.end());
    }
    arguments.insert(arguments.end(), {"sleep", kStepPause, "mouseup", std::to_string(button)});
    return arguments;
}

}
