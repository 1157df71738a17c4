// Drives a real X program the way a person does: real XTest key and button events, window
// pictures read back from the server, and the program's standard output read through a
// pseudo-terminal as it is written. Used by the end-to-end tests and the headless session.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace xdrive {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // row-major, three bytes a pixel

    Rgb at(int x, int y) const;
    bool savePng(const std::string& path) const;
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;  // x, y: top-left corner on the screen
};

class Display {
public:
    explicit Display(const std::string& name = "");  // "" means $DISPLAY; throws if it cannot open
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // The first viewable top-level window with this title, or 0 after the timeout.
    unsigned long waitForWindow(const std::string& title, int timeoutMs);
    Geometry geometry(unsigned long window);
    void focus(unsigned long window);
    void resize(unsigned long window, int width, int height);

    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    // Presses and releases the key that types this keysym, with Shift when the keysym sits on
    // the key's shifted level.
    void tapKey(unsigned long keysym);
    void moveTo(int screenX, int screenY);
    void buttonDown(int button);
    void buttonUp(int button);
    // Moves from one screen point to another in `steps` motion events, button state as it is.
    void glide(int fromX, int fromY, int toX, int toY, int steps);
    void sync();

    // Waits until a pop-up (a viewable override-redirect top-level window, such as a GLUT menu)
    // is shown, or until none is; false after the timeout.
    bool waitForPopup(bool shown, int timeoutMs);
    // Waits until no viewable window has this title; false after the timeout.
    bool waitUntilGone(const std::string& title, int timeoutMs);

    Image grab(unsigned long window);

private:
    ::_XDisplay* dpy_ = nullptr;
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
    // end of output.
    std::optional<std::string> readLine(int timeoutMs);
    // Every line that arrives until the output has been quiet for quietMs.
    std::vector<std::string> readLinesUntilQuiet(int quietMs);
    // The child's process id.
    pid_t pid() const { return pid_; }
    // Exit status (0..255), 128 + signal, or -1 if still running after the timeout.
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

// Milliseconds to wait so that a redraw the program was asked for has happened.
int settleMs();

}  // namespace xdrive
