#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace sijill::test {

// A display of its own for the desktop tests: Xvfb at the given size with the
// openbox window manager on it, both stopped when the session ends.
class XSession {
public:
    XSession(int width, int height);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the display and its window manager are ready, else why not.
    const std::string& problem() const { return problem_; }
    // ":N", the value for DISPLAY.
    const std::string& display() const { return display_; }

private:
    bool startServer(int width, int height);
    bool startWindowManager();
    bool waitForWindowManager();

    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::string display_;
    std::string problem_;
};

// Runs a program with extra environment values, killing it after the given
// number of seconds; returns its exit status, or -1 when it could not run or
// was killed.
int runWithTimeout(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& env, int seconds);

} // namespace sijill::test
