// midpoint-walk: the midpoint circle walk step by step, as the demonstration's rasterisers make it.
//
//   midpoint-walk RADIUS [MODE] [--code | --json]     (midpoint-walk --help names the modes)
//   midpoint-walk RADIUS --variants [--json]
//
// Prints one line per state of the walk (step, x, y, d, F(M), the move, the draws made there and
// the running total), the extents' rows drawn after the walk, and the total: the count the
// demonstration prints for that mode and radius. --code adds the lines of the rasterisers' source
// that ran at each state; --json prints the same as one JSON object.
// --variants compares the outline with other ways to walk its octant (see variants.h).
// Exits 2 on a bad argument, and 1, naming the reason, when the output cannot all be written.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "app/rasterizers.h"
#include "walk/variants.h"
#include "walk/walk.h"

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: midpoint-walk RADIUS [MODE] [--code | --json]\n"
                 "       midpoint-walk RADIUS --variants [--json]\n\n"
                 "The midpoint circle walk at RADIUS, one line per state, as the rasteriser of MODE\n"
                 "makes it; the last line is the total, the count the demonstration prints.\n\n"
                 "MODE        ");
    for (int mode = 0; mode < circleModeCount; ++mode) {
        std::fprintf(out, "%s%s", circleModeNames[mode], mode + 1 < circleModeCount ? ", " : " (default: ");
    }
    std::fprintf(out,
                 "%s)\n"
                 "RADIUS      a whole number from 1 to %d (to %d with --json, which lists every draw)\n"
                 "--code      each state's lines of %s beside its row\n"
                 "--json      the same as one JSON object, with those lines\n"
                 "--variants  the outline beside other ways to walk it, one line a variant with its\n"
                 "            pixels and how many differ from the walk's:",
                 circleModeNames[0], walkTableRadiusLimit, walkJsonRadiusLimit, walkSourceName);
    for (const char* name : walkVariantNames) std::fprintf(out, " %s", name);
    std::fprintf(out,
                 "\n"
                 "--modes     the modes' names, one a line, for scripts\n"
                 "--help      this text\n");
}

// The length of the well-formed UTF-8 character at `c`, or 0 if none starts there.
std::size_t utf8Length(const unsigned char* c) {
    const auto continues = [](unsigned char b, unsigned char low = 0x80, unsigned char high = 0xbf) {
        return b >= low && b <= high;
    };
    if (c[0] >= 0xc2 && c[0] <= 0xdf) return continues(c[1]) ? 2 : 0;
    if (c[0] >= 0xe0 && c[0] <= 0xef) {
        // No overlong forms (E0) and no surrogates (ED).
        const bool second = continues(c[1], c[0] == 0xe0 ? 0xa0 : 0x80, c[0] == 0xed ? 0x9f : 0xbf);
        return second && continues(c[2]) ? 3 : 0;
    }
    if (c[0] >= 0xf0 && c[0] <= 0xf4) {
        const bool second = continues(c[1], c[0] == 0xf0 ? 0x90 : 0x80, c[0] == 0xf4 ? 0x8f : 0xbf);
        return second && continues(c[2]) && continues(c[3]) ? 4 : 0;
    }
    return 0;
}

// What the user typed, fit to quote in one line: its first 39 characters, then "…" if it goes
// on. A control character (C1's too) and each byte that is not UTF-8 show as '?', so the quote
// never carries half a character or moves a terminal's cursor.
std::string quoted(const char* argument) {
    const int shown = 39;
    std::string s = "'";
    int characters = 0;
    for (const auto* c = reinterpret_cast<const unsigned char*>(argument); *c != '\0'; ++characters) {
        if (characters == shown) return s + "…'";
        const std::size_t length = *c < 0x80 ? 1 : utf8Length(c);
        const bool printable = length > 1 ? !(c[0] == 0xc2 && c[1] < 0xa0) : length == 1 && std::isprint(*c);
        if (printable) s.append(reinterpret_cast<const char*>(c), length);
        else s += '?';
        c += length > 0 ? length : 1;
    }
    return s + "'";
}

int fail(const std::string& message) {
    std::fprintf(stderr, "midpoint-walk: %s\n", message.c_str());
    return 2;
}

// Standard output's writes, keeping the reason of the first that fails: stdio keeps only a flag,
// and by the time the trace returns errno may tell of another call.
ssize_t writeOut(void* firstError, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(STDOUT_FILENO, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            int& error = *static_cast<int*>(firstError);
            if (error == 0) error = n < 0 ? errno : EIO;
            break;
        }
    }
    return static_cast<ssize_t>(done);
}

// Runs `write` on a stream to standard output. Status 0 when all of it got there; otherwise the
// reason is named on standard error, since a table cut short still looks like a table.
template <typename Write>
int written(Write write) {
    int error = 0;
    cookie_io_functions_t calls{};
    calls.write = writeOut;
    std::FILE* out = fopencookie(&error, "w", calls);
    bool failed = out == nullptr;
    if (out != nullptr) {
        if (isatty(STDOUT_FILENO)) std::setvbuf(out, nullptr, _IOLBF, BUFSIZ);  // as stdout would be
        write(out);
        failed = std::fflush(out) != 0 || std::ferror(out) != 0;
        std::fclose(out);
    } else {
        error = errno;
    }
    if (!failed) return 0;
    std::fprintf(stderr, "midpoint-walk: write error: %s\n", std::strerror(error != 0 ? error : EIO));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* radiusText = nullptr;
    const char* modeText = nullptr;
    bool json = false, variants = false, code = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") return written(usage);
        if (argument == "--modes") {
            return written([](std::FILE* out) {
                for (const char* name : circleModeNames) std::fprintf(out, "%s\n", name);
            });
        }
        if (argument == "--json") {
            json = true;
        } else if (argument == "--code") {
            code = true;
        } else if (argument == "--variants") {
            variants = true;
        } else if (argument.size() > 1 && argument[0] == '-' && !std::isdigit(static_cast<unsigned char>(argument[1]))) {
            return fail("unknown option " + quoted(argv[i]) + " (see --help)");
        } else if (radiusText == nullptr) {
            radiusText = argv[i];
        } else if (modeText == nullptr) {
            modeText = argv[i];
        } else {
            return fail("too many arguments (see --help)");
        }
    }
    if (radiusText == nullptr) return fail("missing RADIUS (see --help)");
    if (*radiusText == '\0') return fail("RADIUS is empty: give a whole number from 1");
    const char* digits = radiusText + (*radiusText == '-' || *radiusText == '+');
    if (std::strspn(digits, "0123456789") != std::strlen(digits) || *digits == '\0') {
        return fail("RADIUS must be a whole number, not " + quoted(radiusText));
    }
    errno = 0;
    const long long radius = std::strtoll(radiusText, nullptr, 10);
    const int limit = json ? walkJsonRadiusLimit : walkTableRadiusLimit;
    if (*radiusText == '-' || radius < 1) return fail("RADIUS must be at least 1, not " + quoted(radiusText));
    if (errno == ERANGE || radius > limit) {
        return fail("RADIUS " + quoted(radiusText) + " is above " + std::to_string(limit) + ", the largest " +
                    (json ? "--json takes" : "the table takes"));
    }
    if (code && (json || variants)) return fail("--code goes with the table alone (see --help)");
    if (variants) {
        if (modeText != nullptr) return fail("--variants compares outlines and takes no MODE (see --help)");
        const std::string text = walkVariantsText(static_cast<int>(radius), json);
        return written([&text](std::FILE* out) { std::fwrite(text.data(), 1, text.size(), out); });
    }
    const int mode = modeText == nullptr ? 0 : circleModeByName(modeText);
    if (mode < 0) return fail("unknown mode " + quoted(modeText) + " (see --help)");

    const WalkFormat format = json ? WalkFormat::json : code ? WalkFormat::tableWithLines : WalkFormat::table;
    return written([=](std::FILE* out) { traceWalk(mode, static_cast<int>(radius), format, out, nullptr); });
}
