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
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/rasterizers.h"
#include "app/variants.h"
#include "app/walk.h"

namespace {

void usage() {
    std::printf("usage: midpoint-walk RADIUS [MODE] [--code | --json]\n"
                "       midpoint-walk RADIUS --variants [--json]\n\n"
                "The midpoint circle walk at RADIUS, one line per state, as the rasteriser of MODE\n"
                "makes it; the last line is the total, the count the demonstration prints.\n\n"
                "MODE        ");
    for (int mode = 0; mode < circleModeCount; ++mode) {
        std::printf("%s%s", circleModeNames[mode], mode + 1 < circleModeCount ? ", " : " (default: ");
    }
    std::printf("%s)\n"
                "RADIUS      a whole number from 1 to %d (to %d with --json, which lists every draw)\n"
                "--code      each state's lines of %s beside its row\n"
                "--json      the same as one JSON object, with those lines\n"
                "--variants  the outline beside other ways to walk it, one line a variant with its\n"
                "            pixels and how many differ from the walk's:",
                circleModeNames[0], walkTableRadiusLimit, walkJsonRadiusLimit, walkSourceName);
    for (const char* name : walkVariantNames) std::printf(" %s", name);
    std::printf("\n"
                "--modes     the modes' names, one a line, for scripts\n"
                "--help      this text\n");
}

// What the user typed, fit to quote in one line: control characters and the like become '?'.
std::string quoted(const char* argument) {
    std::string s = "'";
    for (const char* c = argument; *c != '\0' && s.size() < 40; ++c) {
        s += std::isprint(static_cast<unsigned char>(*c)) || static_cast<unsigned char>(*c) >= 0x80 ? *c : '?';
    }
    return s + "'";
}

int fail(const std::string& message) {
    std::fprintf(stderr, "midpoint-walk: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const char* radiusText = nullptr;
    const char* modeText = nullptr;
    bool json = false, variants = false, code = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            usage();
            return 0;
        }
        if (argument == "--modes") {
            for (const char* name : circleModeNames) std::printf("%s\n", name);
            return 0;
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
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const int mode = modeText == nullptr ? 0 : circleModeByName(modeText);
    if (mode < 0) return fail("unknown mode " + quoted(modeText) + " (see --help)");

    const WalkFormat format = json ? WalkFormat::json : code ? WalkFormat::tableWithLines : WalkFormat::table;
    traceWalk(mode, static_cast<int>(radius), format, stdout, nullptr);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
