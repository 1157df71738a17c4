// midpoint-walk as a user runs it, a child process with its output in files: the table, --code
// and --variants against the circle model, the argument errors, and output that cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/modes.h"
#include "walk/variants.h"
#include "walk/walk.h"
#include "support/circle_model.h"

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string readAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
    std::fclose(file);
    return text;
}

// Standard output goes to `out` when given, else to a file read back; SIGPIPE is ignored, as
// `trap '' PIPE` leaves it, so a closed pipe is a write error and not a signal.
Result run(const std::vector<std::string>& args, int out = -1) {
    std::FILE* outFile = std::tmpfile();
    std::FILE* errFile = std::tmpfile();
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_IGN);
        dup2(out >= 0 ? out : fileno(outFile), STDOUT_FILENO);
        dup2(fileno(errFile), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(MIDPOINT_WALK)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(MIDPOINT_WALK, argv.data());
        _exit(127);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    r.out = readAll(outFile);
    r.err = readAll(errFile);
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> list;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) list.push_back(line);
    return list;
}

using Intervals = std::vector<std::pair<int, int>>;

Intervals merged(Intervals runs) {
    std::sort(runs.begin(), runs.end());
    Intervals joined;
    for (const auto& span : runs) {
        if (!joined.empty() && span.first <= joined.back().second + 1) {
            joined.back().second = std::max(joined.back().second, span.second);
        } else {
            joined.push_back(span);
        }
    }
    return joined;
}

// What the model's mode covers, row by row, as runs along each row.
std::map<int, Intervals> modelRows(int mode, const model::Circle& c) {
    std::map<int, Intervals> rows;
    if (mode == circleOutlineMode) {
        for (const model::Pixel& p : model::outlinePixels(c)) rows[p.second].push_back({p.first, p.first});
    } else {
        for (int y = -c.radius; y <= c.radius; ++y) {
            const int w = c.halfWidth[static_cast<std::size_t>(std::abs(y))];
            rows[y].push_back({-w, w});
        }
    }
    for (auto& row : rows) row.second = merged(row.second);
    return rows;
}

std::string fixed2(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

TEST(WalkProgram, TableIsTheModelsWalkWithItsDrawsAndCount) {
    for (int mode = 0; mode < circleModeCount; ++mode) {
        for (int r : {1, 2, 3, 4, 6, 7, 12, 100, 577, walkTableRadiusLimit}) {
            SCOPED_TRACE(std::string(circleModeNames[mode]) + " at radius " + std::to_string(r));
            const Result result = run({std::to_string(r), circleModeNames[mode]});
            ASSERT_EQ(result.status, 0) << result.err;
            const std::vector<std::string> table = lines(result.out);
            const std::vector<model::WalkState> states = model::walkStates(r);
            ASSERT_GE(table.size(), states.size() + 3);
            EXPECT_EQ(table[0], "midpoint walk: " + std::string(circleModeNames[mode]) + ", radius " + std::to_string(r));
            std::map<int, Intervals> rows;
            long long total = 0;
            const auto draw = [&](int from, int to, int y, bool markedAgain) {
                bool again = false;
                for (const auto& span : rows[y]) again = again || (from <= span.second && span.first <= to);
                EXPECT_EQ(markedAgain, again) << "run " << from << ".." << to << " of row " << y;
                rows[y].push_back({from, to});
                return to - from + 1;
            };
            for (std::size_t i = 0; i < states.size(); ++i) {
                const std::string& line = table[i + 2];
                std::istringstream in(line);
                long long step, x, y, d, draws, runningTotal;
                std::string fm, move;
                in >> step >> x >> y >> d >> fm >> move >> draws >> runningTotal;
                ASSERT_TRUE(in) << line;
                const bool last = i + 1 == states.size();
                const std::vector<long long> expected{static_cast<long long>(i), states[i].x, states[i].y, states[i].d};
                ASSERT_EQ(std::vector<long long>({step, x, y, d}), expected) << line;
                EXPECT_EQ(fm, fixed2(static_cast<double>(d) + 0.25)) << line;
                EXPECT_EQ(move, last ? "-" : d < 0 ? "E" : "SE") << line;
                long long made = 0;
                // The runs "(from..to, y)" or "(x, y)", each maybe followed by " again".
                for (std::size_t at = line.find('('); at != std::string::npos; at = line.find('(', at + 1)) {
                    int from = 0, to = 0, row = 0, length = 0;
                    if (std::sscanf(line.c_str() + at, "(%d..%d, %d)%n", &from, &to, &row, &length) != 3) {
                        ASSERT_EQ(std::sscanf(line.c_str() + at, "(%d, %d)%n", &from, &row, &length), 2) << line;
                        to = from;
                    }
                    made += draw(from, to, row, line.compare(at + static_cast<std::size_t>(length), 6, " again") == 0);
                }
                total += made;
                EXPECT_EQ(draws, made) << line;
                EXPECT_EQ(runningTotal, total) << line;
            }
            std::size_t next = states.size() + 2;
            const model::Circle c = model::circle(r);
            if (mode == circleExtentsMode) {
                EXPECT_EQ(table[next++], "after the walk, the rows from the collected half-widths:");
                ++next;  // the columns' names
                for (int row = 0; row <= r && next < table.size(); ++row, ++next) {
                    std::istringstream in(table[next]);
                    std::string name;
                    long long w, draws, runningTotal;
                    in >> name >> w >> draws >> runningTotal;
                    ASSERT_EQ(name, row == 0 ? "0" : "+-" + std::to_string(row));
                    ASSERT_EQ(w, c.halfWidth[static_cast<std::size_t>(row)]) << table[next];
                    long long made = draw(static_cast<int>(-w), static_cast<int>(w), row, false);
                    if (row > 0) made += draw(static_cast<int>(-w), static_cast<int>(w), -row, false);
                    total += made;
                    EXPECT_EQ(draws, made) << table[next];
                    EXPECT_EQ(runningTotal, total) << table[next];
                }
            }
            ASSERT_EQ(next + 1, table.size());
            EXPECT_EQ(table[next], "total " + std::to_string(model::count(mode, r)));
            EXPECT_EQ(total, model::count(mode, r));
            for (auto& row : rows) row.second = merged(row.second);
            EXPECT_EQ(rows, modelRows(mode, c)) << "the pixels drawn";
        }
    }
}

// The lines named are the file's own, and the branch they name is the move the model makes.
TEST(WalkProgram, CodeAddsTheLinesOfTheMovesBranchToTheTablesRows) {
    std::vector<std::string> source{""};  // lines count from 1
    std::ifstream file(RASTERIZERS_SOURCE);
    for (std::string line; std::getline(file, line);) source.push_back(line);
    const auto names = [&](const std::string& numbers, const char* text) {
        std::istringstream in(numbers);
        bool found = false;
        for (std::size_t n; in >> n;) {
            EXPECT_LT(n, source.size()) << numbers;
            found = found || (n < source.size() && source[n].find(text) != std::string::npos);
        }
        return found;
    };
    for (int mode = 0; mode < circleModeCount; ++mode) {
        for (int r : {1, 4, 9, 12}) {
            SCOPED_TRACE(std::string(circleModeNames[mode]) + " at radius " + std::to_string(r));
            const std::vector<std::string> table = lines(run({std::to_string(r), circleModeNames[mode]}).out);
            const std::vector<std::string> code = lines(run({std::to_string(r), circleModeNames[mode], "--code"}).out);
            const std::vector<model::WalkState> states = model::walkStates(r);
            ASSERT_EQ(code.size(), table.size());
            EXPECT_EQ(code[1], table[1] + "  | lines of " + walkSourceName);
            for (std::size_t i = 0; i < code.size(); ++i) {
                if (i == 1) continue;
                const bool state = i >= 2 && i < states.size() + 2;
                const std::string suffix = state ? "  | lines " : " (lines ";
                if (!state && code[i] == table[i]) continue;
                const std::size_t at = code[i].find(suffix);
                ASSERT_NE(at, std::string::npos) << code[i];
                const std::string numbers = code[i].substr(at + suffix.size());
                if (!state) {
                    // The rows after the walk: the same heading, naming the lines that draw them.
                    EXPECT_EQ(code[i].substr(0, at) + ":", table[i]);
                    EXPECT_TRUE(names(numbers, "plotRowPair(")) << code[i];
                    continue;
                }
                ASSERT_EQ(code[i].substr(0, at), table[i]);
                const bool last = i == states.size() + 1, east = !last && states[i - 2].d < 0;
                EXPECT_EQ(names(numbers, "walk.d >= 0"), !last) << code[i];
                EXPECT_EQ(names(numbers, "walk.d += 2 * walk.x + 3;"), !last && east) << code[i];
                EXPECT_EQ(names(numbers, "--walk.y;"), !last && !east) << code[i];
            }
        }
    }
}

// Every variant but less-or-equal gives the model's outline; that one differs exactly at the
// radii whose walk decides at d = 0.
TEST(WalkProgram, VariantsGiveTheModelsOutlineAndDifferOnlyAtZero) {
    for (int r : {1, 2, 4, 5, 9, 12, 100, walkTableRadiusLimit}) {
        SCOPED_TRACE("radius " + std::to_string(r));
        const std::vector<std::string> table = lines(run({std::to_string(r), "--variants"}).out);
        ASSERT_EQ(table.size(), 2u + walkVariantCount);
        EXPECT_EQ(table[0], "midpoint walk variants: outline, radius " + std::to_string(r));
        const long long pixels = static_cast<long long>(model::outlinePixels(model::circle(r)).size());
        bool atZero = false;
        for (const model::WalkState& s : model::walkStates(r)) atZero = atZero || (s.d == 0 && s.y > s.x);
        for (int v = 0; v < walkVariantCount; ++v) {
            std::istringstream in(table[static_cast<std::size_t>(v) + 2]);
            std::string name;
            long long count = -1, differ = -1;
            in >> name >> count >> differ;
            EXPECT_EQ(name, walkVariantNames[v]);
            if (v + 1 < walkVariantCount) {
                EXPECT_EQ(count, pixels) << name;
                EXPECT_EQ(differ, 0) << name;
            } else {
                EXPECT_EQ(differ > 0, atZero) << name << " differs by " << differ;
            }
        }
    }
}

TEST(WalkProgram, ArgumentErrorsAreOneLineWithStatusTwo) {
    const std::string limit = std::to_string(walkTableRadiusLimit), jsonLimit = std::to_string(walkJsonRadiusLimit);
    std::string accents, emoji;
    for (int i = 0; i < 45; ++i) accents += "é";
    for (int i = 0; i < 39; ++i) emoji += "😀";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "missing RADIUS (see --help)"},
        {{""}, "RADIUS is empty: give a whole number from 1"},
        {{"7x"}, "RADIUS must be a whole number, not '7x'"},
        {{"+"}, "RADIUS must be a whole number, not '+'"},
        {{"0"}, "RADIUS must be at least 1, not '0'"},
        {{"-3"}, "RADIUS must be at least 1, not '-3'"},
        {{std::to_string(walkTableRadiusLimit + 1)}, "RADIUS '" + std::to_string(walkTableRadiusLimit + 1) + "' is above " + limit + ", the largest the table takes"},
        {{"99999999999999999999"}, "RADIUS '99999999999999999999' is above " + limit + ", the largest the table takes"},
        {{std::to_string(walkJsonRadiusLimit + 1), "--json"}, "RADIUS '" + std::to_string(walkJsonRadiusLimit + 1) + "' is above " + jsonLimit + ", the largest --json takes"},
        {{"7", "--frob"}, "unknown option '--frob' (see --help)"},
        {{"7", "circle"}, "unknown mode 'circle' (see --help)"},
        {{"7", "spans", "x"}, "too many arguments (see --help)"},
        {{"7", "--code", "--json"}, "--code goes with the table alone (see --help)"},
        {{"7", "--variants", "spans"}, "--variants compares outlines and takes no MODE (see --help)"},
        // Quoted: cut after 39 characters, never inside one; controls and stray bytes as '?'.
        {{accents}, "RADIUS must be a whole number, not '" + accents.substr(0, 78) + "…'"},
        {{emoji}, "RADIUS must be a whole number, not '" + emoji + "'"},
        {{emoji + "x"}, "RADIUS must be a whole number, not '" + emoji + "…'"},
        {{"7", "sp\x1b[1m\xc2\x85\xff\xe2\x82s"}, "unknown mode 'sp?[1m????s' (see --help)"},
    };
    for (const auto& [args, message] : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.err, "midpoint-walk: " + message + "\n");
        EXPECT_EQ(r.out, "") << message;
    }
}

// Each output, small enough to wait in the buffer until the end or long enough to fail on the
// way, to a full device and to a pipe nobody reads.
TEST(WalkProgram, OutputThatCannotBeWrittenIsNamedWithItsReason) {
    const std::vector<std::vector<std::string>> outputs = {
        {"40"}, {"50"}, {"577", "spans"}, {"7", "--code"}, {"7", "--json"}, {"7", "--variants"}, {"--help"}, {"--modes"}};
    for (const std::vector<std::string>& args : outputs) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
        ASSERT_GE(full, 0);
        const Result onFull = run(args, full);
        close(full);
        EXPECT_EQ(onFull.status, 1);
        EXPECT_EQ(onFull.err, "midpoint-walk: write error: " + std::string(std::strerror(ENOSPC)) + "\n");

        int ends[2];
        ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
        close(ends[0]);
        const Result onPipe = run(args, ends[1]);
        close(ends[1]);
        EXPECT_EQ(onPipe.status, 1);
        EXPECT_EQ(onPipe.err, "midpoint-walk: write error: " + std::string(std::strerror(EPIPE)) + "\n");
    }
}
