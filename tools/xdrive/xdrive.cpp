#include "xdrive.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <png.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
extern "C" {
#include <xdo.h>
}

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

// Polls `done` every few milliseconds until it holds or the timeout has passed.
template <typename Done>
bool waitUntil(int timeoutMs, Done done) {
    for (const auto start = Clock::now(); !done(); pause(10)) {
        if (msSince(start) >= timeoutMs) return false;
    }
    return true;
}

// A window that goes away mid-test (the program ended) must fail the test, not end it.
int ignoreXError(::Display*, XErrorEvent*) { return 0; }

Window findByTitle(const xdo_t* xdo, const std::string& title) {
    std::string pattern = "^";  // libxdo matches a regular expression
    for (char c : title) pattern += std::strchr("\\^$.|?*+()[]{}", c) != nullptr ? std::string("\\") + c : std::string(1, c);
    pattern += "$";
    xdo_search_t search{};
    search.winname = pattern.c_str(), search.only_visible = 1, search.max_depth = -1;
    search.searchmask = SEARCH_NAME | SEARCH_ONLYVISIBLE, search.require = xdo_search_t::SEARCH_ALL;
    Window* found = nullptr;
    unsigned int count = 0;
    xdo_search_windows(xdo, &search, &found, &count);
    const Window window = count > 0 ? found[0] : 0;
    std::free(found);
    return window;
}

}  // namespace

bool Image::savePng(const std::string& path) const {
    png_image png{};
    png.version = PNG_IMAGE_VERSION, png.format = PNG_FORMAT_RGB;
    png.width = static_cast<png_uint_32>(width), png.height = static_cast<png_uint_32>(height);
    return png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

Display::Display() : xdo_(xdo_new(nullptr)) {
    if (xdo_ == nullptr) throw std::runtime_error("cannot open the X display");
    XSetErrorHandler(ignoreXError);
}

Display::~Display() { xdo_free(xdo_); }

unsigned long Display::waitForWindow(const std::string& title, int timeoutMs) {
    Window window = 0;
    waitUntil(timeoutMs, [&] { return (window = findByTitle(xdo_, title)) != 0; });
    return window;
}

bool Display::waitUntilGone(const std::string& title, int timeoutMs) {
    return waitUntil(timeoutMs, [&] { return findByTitle(xdo_, title) == 0; });
}

bool Display::waitForPopup(bool shown, int timeoutMs) {
    return waitUntil(timeoutMs, [&] {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        bool popup = false;  // override-redirect: outside any window manager's hands, as menus are
        if (XQueryTree(xdo_->xdpy, DefaultRootWindow(xdo_->xdpy), &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && !popup; ++i) {
                XWindowAttributes a;
                popup = XGetWindowAttributes(xdo_->xdpy, children[i], &a) && a.override_redirect && a.map_state == IsViewable;
            }
            XFree(children);
        }
        return popup == shown;
    });
}

Geometry Display::geometry(unsigned long window) {
    int x = 0, y = 0;
    unsigned int width = 0, height = 0;
    if (xdo_get_window_location(xdo_, window, &x, &y, nullptr) != XDO_SUCCESS ||
        xdo_get_window_size(xdo_, window, &width, &height) != XDO_SUCCESS) return {};
    return {x, y, static_cast<int>(width), static_cast<int>(height)};
}

void Display::focus(unsigned long window) {
    const Geometry g = geometry(window);
    moveTo(g.x + g.width / 2, g.y + g.height / 2);
    xdo_focus_window(xdo_, window);
    sync();
}

void Display::resize(unsigned long window, int width, int height) { xdo_set_window_size(xdo_, window, width, height, 0); sync(); }
void Display::keyDown(unsigned long keysym) { xdo_send_keysequence_window_down(xdo_, CURRENTWINDOW, XKeysymToString(keysym), 0); sync(); }
void Display::keyUp(unsigned long keysym) { xdo_send_keysequence_window_up(xdo_, CURRENTWINDOW, XKeysymToString(keysym), 0); sync(); }
void Display::tapKey(unsigned long keysym) { xdo_send_keysequence_window(xdo_, CURRENTWINDOW, XKeysymToString(keysym), 0); sync(); }
void Display::moveTo(int screenX, int screenY) { xdo_move_mouse(xdo_, screenX, screenY, 0); sync(); }
void Display::buttonDown(int button) { xdo_mouse_down(xdo_, CURRENTWINDOW, button); sync(); }
void Display::buttonUp(int button) { xdo_mouse_up(xdo_, CURRENTWINDOW, button); sync(); }

void Display::glide(int fromX, int fromY, int toX, int toY, int steps) {
    for (int i = 1; i <= steps; ++i) moveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
}

void Display::sync() { XSync(xdo_->xdpy, False); }

Image Display::grab(unsigned long window) {
    const Geometry g = geometry(window);
    XImage* x = g.width <= 0 ? nullptr : XGetImage(xdo_->xdpy, window, 0, 0, static_cast<unsigned int>(g.width),
                                                    static_cast<unsigned int>(g.height), AllPlanes, ZPixmap);
    if (x == nullptr) return {};
    Image image{g.width, g.height, {}};
    image.rgb.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    for (int row = 0; row < image.height; ++row) {
        for (int col = 0; col < image.width; ++col) {
            const unsigned long p = XGetPixel(x, col, row);
            for (const unsigned long mask : {x->red_mask, x->green_mask, x->blue_mask}) {
                image.rgb.push_back(static_cast<unsigned char>((p & mask) >> __builtin_ctzl(mask)));
            }
        }
    }
    XDestroyImage(x);
    return image;
}

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env, Output output) {
    int ends[2] = {-1, -1};
    if (output == Output::terminal) {
        termios raw{};
        cfmakeraw(&raw);
        pid_ = forkpty(&master_, nullptr, &raw, nullptr);
    } else if (pipe2(ends, O_CLOEXEC) == 0) {
        pid_ = fork();
        master_ = ends[0];
    }
    if (pid_ < 0) throw std::runtime_error("cannot start " + argv.at(0));
    if (pid_ == 0) {
        if (output == Output::pipe) {
            dup2(ends[1], STDOUT_FILENO);
            dup2(open("/dev/null", O_RDONLY | O_CLOEXEC), STDIN_FILENO);
        }
        for (const std::string& entry : env) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        std::perror("execv");
        _exit(127);
    }
    if (ends[1] >= 0) close(ends[1]);
}

Child::~Child() {
    if (wait(0) < 0 && kill(pid_, SIGKILL) == 0) wait(5000);
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

int Child::wait(int timeoutMs) {
    if (status_ >= 0) return status_;
    for (const auto start = Clock::now();;) {
        int raw = 0;
        const pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            while (fill(0)) continue;
            return status_;
        }
        const int left = timeoutMs - msSince(start);
        fill(std::max(0, std::min(10, left)));
        if (left <= 0) return -1;
    }
}

void Display::countFrames() {
    int errorBase = 0;
    if (!XDamageQueryExtension(xdo_->xdpy, &damageEvent_, &errorBase)) throw std::runtime_error("the X server has no DAMAGE extension");
    // On the root window: the program's window does not exist yet, and what is drawn into a
    // window is reported on its ancestors too, in the root's coordinates.
    XDamageCreate(xdo_->xdpy, DefaultRootWindow(xdo_->xdpy), XDamageReportRawRectangles);
    sync();
}

bool Display::waitForFrames(unsigned long window, int count, int timeoutMs) {
    const Geometry g = geometry(window);
    const auto whole = [&](const Geometry& p) { return p.x == g.x && p.y == g.y && p.width == g.width && p.height == g.height; };
    return damageEvent_ >= 0 && g.width > 0 && waitUntil(timeoutMs, [&] {
        while (XPending(xdo_->xdpy) > 0) {
            XEvent event;
            XNextEvent(xdo_->xdpy, &event);
            if (event.type != damageEvent_ + XDamageNotify) continue;
            const XRectangle& r = reinterpret_cast<const XDamageNotifyEvent&>(event).area;
            painted_.push_back({r.x, r.y, r.width, r.height});
        }
        return std::count_if(painted_.begin(), painted_.end(), whole) >= count;
    });
}

Launched launch(Display& display, const std::string& title, const std::vector<std::string>& argv,
                const std::vector<std::string>& env, Child::Output output, int timeoutMs) {
    Launched launched;
    if (!display.waitUntilGone(title, 5000)) return launched;
    launched.child = std::make_unique<Child>(argv, env, output);
    launched.window = display.waitForWindow(title, timeoutMs);
    if (launched.window != 0) display.focus(launched.window);
    return launched;
}

}  // namespace xdrive
