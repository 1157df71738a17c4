// Drives a real X program the way a person does: window search, focus, keys and pointer through
// libxdo (XTest underneath), pictures of the window read back from the server, and the program's
// standard output read through a pseudo-terminal as it is written. Used by the end-to-end tests,
// the benchmarks and the headless session.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/circles_title.h"
#include "showcase_title.h"

struct xdo;

namespace xdrive {

// The window titles of the two programs, from their own code.
inline constexpr const char* circlesTitle = circlesWindowTitle;
inline constexpr const char* showcaseTitle = showcaseWindowTitle;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // row-major, three bytes a pixel

    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    bool savePng(const std::string& path) const;
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;  // x, y: top-left corner on the screen
};

class Display {
public:
    Display();  // $DISPLAY (with XTEST, which libxdo uses); throws if it cannot be opened
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // The first viewable window with this title, or 0 after the timeout.
    unsigned long waitForWindow(const std::string& title, int timeoutMs);
    // Waits until no viewable window has this title; false after the timeout.
    bool waitUntilGone(const std::string& title, int timeoutMs);
    // Waits until a pop-up (a viewable override-redirect top-level window, such as a GLUT menu)
    // is shown, or until none is; false after the timeout.
    bool waitForPopup(bool shown, int timeoutMs);
    Geometry geometry(unsigned long window);
    void focus(unsigned long window);  // also puts the pointer at the window's centre
    void resize(unsigned long window, int width, int height);

    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    // Presses and releases the key that types this keysym, with Shift where it needs it.
    void tapKey(unsigned long keysym);
    void moveTo(int screenX, int screenY);
    void buttonDown(int button);
    void buttonUp(int button);
    // Moves from one screen point to another in `steps` motion events, buttons as they are.
    void glide(int fromX, int fromY, int toX, int toY, int steps);

    Image grab(unsigned long window);

    // Frames as the server paints them: a GLUT window's swap paints the whole window in one
    // piece, which the server's DAMAGE extension reports. Counting starts here, before the
    // program starts, so that its first frame counts too; throws if the server lacks DAMAGE.
    void countFrames();
    // Waits until `count` paints of the whole of `window` have been reported since countFrames,
    // so that the count-th frame (or a later one) is on the screen; false after the timeout.
    bool waitForFrames(unsigned long window, int count, int timeoutMs);

private:
    void sync();
    ::xdo* xdo_ = nullptr;
    int damageEvent_ = -1;
    std::vector<Geometry> painted_;  // every rectangle reported since countFrames
};

class Child {
public:
    enum class Output { terminal, pipe };
    // Starts argv[0] with `env` ("NAME=value") added. With Output::terminal its standard output
    // and error are a pseudo-terminal in raw mode, so the C library writes each line as it ends;
    // with Output::pipe standard output is a pipe (fully buffered by the C library), standard
    // error is inherited and standard input is /dev/null.
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
          Output output = Output::terminal);
    ~Child();  // kills the child if it is still running
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The next complete line of output without its newline, or nothing after the timeout or at
    // end of output. A zero timeout still takes what has already arrived.
    std::optional<std::string> readLine(int timeoutMs);
    // Exit status (0..255), 128 + signal, or -1 if still running after the timeout. Reads the
    // output meanwhile, so that a child writing a lot never blocks on a full terminal.
    int wait(int timeoutMs);
    // All output read so far, raw.
    const std::string& transcript() const { return transcript_; }

private:
    bool fill(int timeoutMs);
    pid_t pid_ = -1;
    int master_ = -1;
    std::string buffer_;
    std::string transcript_;
    int status_ = -1;
};

// A program started in the display with its window up and focused.
struct Launched {
    std::unique_ptr<Child> child;  // null if a window of that title was still there from before
    unsigned long window = 0;      // 0 if the window did not appear
};
Launched launch(Display& display, const std::string& title, const std::vector<std::string>& argv,
                const std::vector<std::string>& env = {}, Child::Output output = Child::Output::terminal,
                int timeoutMs = 20000);

}  // namespace xdrive
