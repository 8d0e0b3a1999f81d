#pragma once
#include <memory>
#include <string>

namespace e2e {

class ChildProcess;

// A private Xvfb on the first free display number.
class XServer {
public:
    XServer(int width, int height);
    ~XServer();

    // ":N", for DISPLAY.
    const std::string& Display() const { return m_display; }

private:
    std::unique_ptr<ChildProcess> m_process;
    std::string m_display;
};

}
