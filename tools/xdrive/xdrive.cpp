#include "xdrive.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <png.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace xdrive {

namespace {

using Clock = std::chrono::steady_clock;

int msSince(Clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Window findByTitle(::Display* dpy, Window parent, const std::string& title) {
    Window root = 0, parentOut = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, parent, &root, &parentOut, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (XFetchName(dpy, children[i], &name) && name != nullptr) {
            if (title == name && XGetWindowAttributes(dpy, children[i], &attributes) &&
                attributes.map_state == IsViewable) {
                found = children[i];
            }
            XFree(name);
        }
        if (found == 0) found = findByTitle(dpy, children[i], title);
    }
    if (children != nullptr) XFree(children);
    return found;
}

// A window that goes away mid-test (the program ended) must fail the test, not end it.
int ignoreXError(::Display*, XErrorEvent*) { return 0; }

int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) mask >>= 1, ++shift;
    return shift;
}

}  // namespace

Rgb Image::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Image::savePng(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

Display::Display(const std::string& name) {
    // A server that resets when its last client leaves refuses connections for a moment.
    for (int attempt = 0; attempt < 100 && dpy_ == nullptr; ++attempt) {
        dpy_ = XOpenDisplay(name.empty() ? nullptr : name.c_str());
        if (dpy_ == nullptr) pause(20);
    }
    if (dpy_ == nullptr) throw std::runtime_error("cannot open X display " + name);
    XSetErrorHandler(ignoreXError);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy_, &event, &error, &major, &minor)) {
        XCloseDisplay(dpy_);
        throw std::runtime_error("the X server has no XTEST extension");
    }
}

Display::~Display() { XCloseDisplay(dpy_); }

unsigned long Display::waitForWindow(const std::string& title, int timeoutMs) {
    const auto start = Clock::now();
    do {
        const Window window = findByTitle(dpy_, DefaultRootWindow(dpy_), title);
        if (window != 0) return window;
        pause(20);
    } while (msSince(start) < timeoutMs);
    return 0;
}

Geometry Display::geometry(unsigned long window) {
    XWindowAttributes attributes;
    Geometry g;
    if (!XGetWindowAttributes(dpy_, window, &attributes)) return g;
    Window child = 0;
    XTranslateCoordinates(dpy_, window, DefaultRootWindow(dpy_), 0, 0, &g.x, &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

void Display::focus(unsigned long window) {
    const Geometry g = geometry(window);
    moveTo(g.x + g.width / 2, g.y + g.height / 2);
    XSetInputFocus(dpy_, window, RevertToPointerRoot, CurrentTime);
    sync();
}

bool Display::waitForPopup(bool shown, int timeoutMs) {
    const auto start = Clock::now();
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        bool popup = false;
        if (XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && !popup; ++i) {
                XWindowAttributes a;
                popup = XGetWindowAttributes(dpy_, children[i], &a) && a.override_redirect && a.map_state == IsViewable;
            }
            if (children != nullptr) XFree(children);
        }
        if (popup == shown) return true;
        if (msSince(start) >= timeoutMs) return false;
        pause(5);
    }
}

bool Display::waitUntilGone(const std::string& title, int timeoutMs) {
    const auto start = Clock::now();
    while (findByTitle(dpy_, DefaultRootWindow(dpy_), title) != 0) {
        if (msSince(start) >= timeoutMs) return false;
        pause(20);
    }
    return true;
}

void Display::resize(unsigned long window, int width, int height) {
    XResizeWindow(dpy_, window, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    sync();
}

void Display::keyDown(unsigned long keysym) {
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, keysym), True, CurrentTime);
    sync();
}

void Display::keyUp(unsigned long keysym) {
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, keysym), False, CurrentTime);
    sync();
}

void Display::tapKey(unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(dpy_, keysym);
    const bool shifted = XkbKeycodeToKeysym(dpy_, code, 0, 0) != keysym &&
                         XkbKeycodeToKeysym(dpy_, code, 0, 1) == keysym;
    if (shifted) keyDown(XK_Shift_L);
    XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
    if (shifted) keyUp(XK_Shift_L);
    sync();
}

void Display::moveTo(int screenX, int screenY) {
    XTestFakeMotionEvent(dpy_, -1, screenX, screenY, CurrentTime);
    sync();
}

void Display::buttonDown(int button) {
    XTestFakeButtonEvent(dpy_, static_cast<unsigned int>(button), True, CurrentTime);
    sync();
}

void Display::buttonUp(int button) {
    XTestFakeButtonEvent(dpy_, static_cast<unsigned int>(button), False, CurrentTime);
    sync();
}

void Display::glide(int fromX, int fromY, int toX, int toY, int steps) {
    for (int i = 1; i <= steps; ++i) {
        moveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
        pause(5);
    }
}

void Display::sync() { XSync(dpy_, False); }

Image Display::grab(unsigned long window) {
    Image image;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy_, window, &attributes)) return image;
    XImage* x = XGetImage(dpy_, window, 0, 0, static_cast<unsigned int>(attributes.width),
                          static_cast<unsigned int>(attributes.height), AllPlanes, ZPixmap);
    if (x == nullptr) return image;
    image.width = attributes.width;
    image.height = attributes.height;
    image.rgb.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    const int rs = shiftOf(x->red_mask), gs = shiftOf(x->green_mask), bs = shiftOf(x->blue_mask);
    std::size_t i = 0;
    for (int row = 0; row < image.height; ++row) {
        for (int col = 0; col < image.width; ++col) {
            const unsigned long p = XGetPixel(x, col, row);
            image.rgb[i++] = static_cast<unsigned char>((p & x->red_mask) >> rs);
            image.rgb[i++] = static_cast<unsigned char>((p & x->green_mask) >> gs);
            image.rgb[i++] = static_cast<unsigned char>((p & x->blue_mask) >> bs);
        }
    }
    XDestroyImage(x);
    return image;
}

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env, Output output) {
    if (output == Output::terminal) {
        struct termios raw;
        std::memset(&raw, 0, sizeof raw);
        cfmakeraw(&raw);
        pid_ = forkpty(&master_, nullptr, &raw, nullptr);
        if (pid_ < 0) throw std::runtime_error("forkpty failed");
    } else {
        int ends[2];
        if (pipe(ends) != 0) throw std::runtime_error("pipe failed");
        pid_ = fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            dup2(ends[1], STDOUT_FILENO);
            const int null = open("/dev/null", O_RDONLY);
            dup2(null, STDIN_FILENO);
            close(ends[0]);
            close(ends[1]);
            close(null);
        } else {
            close(ends[1]);
            master_ = ends[0];
        }
    }
    if (pid_ == 0) {
        for (const std::string& entry : env) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        std::perror("execv");
        _exit(127);
    }
}

Child::~Child() {
    if (wait(0) < 0) {
        kill(pid_, SIGKILL);
        wait(5000);
    }
    if (master_ >= 0) close(master_);
}

bool Child::fill(int timeoutMs) {
    struct pollfd p = {master_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    char chunk[4096];
    const ssize_t n = read(master_, chunk, sizeof chunk);
    if (n <= 0) return false;  // EIO once the child has gone and the terminal is closed
    buffer_.append(chunk, static_cast<std::size_t>(n));
    transcript_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::string> Child::readLine(int timeoutMs) {
    const auto start = Clock::now();
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        // A zero or spent timeout still takes what has already arrived.
        if (!fill(std::max(0, timeoutMs - msSince(start)))) return std::nullopt;
    }
}

std::vector<std::string> Child::readLinesUntilQuiet(int quietMs) {
    std::vector<std::string> lines;
    while (auto line = readLine(quietMs)) lines.push_back(*line);
    return lines;
}

int Child::wait(int timeoutMs) {
    if (status_ >= 0) return status_;
    const auto start = Clock::now();
    for (;;) {
        int raw = 0;
        const pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            while (fill(0)) {
            }
            return status_;
        }
        // Keep draining, even with a zero timeout, so that a child writing a lot never blocks
        // on a full terminal.
        const int left = timeoutMs - msSince(start);
        fill(std::max(0, std::min(10, left)));
        if (left <= 0) return -1;
    }
}

int settleMs() {
    const char* value = std::getenv("XDRIVE_SETTLE_MS");
    return value != nullptr ? std::atoi(value) : 300;
}

}  // namespace xdrive
