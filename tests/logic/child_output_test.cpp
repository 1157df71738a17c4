// The test driver's reading of a child's output: a zero timeout must still take what has
// arrived, or a child that writes more than the terminal holds blocks for good.
#include <gtest/gtest.h>

#include <chrono>

#include "xdrive/xdrive.h"

TEST(ChildOutput, ZeroTimeoutsReadWhatHasArrivedSoAChattyChildNeverBlocks) {
    // 600 KB, many times what a pseudo-terminal buffers.
    xdrive::Child child({"/bin/sh", "-c", "yes 12345 | head -n 100000"}, {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    long lines = 0;
    while (child.wait(0) < 0 && std::chrono::steady_clock::now() < deadline) {
        while (auto line = child.readLine(0)) {
            ASSERT_EQ(*line, "12345");
            ++lines;
        }
    }
    ASSERT_EQ(child.wait(0), 0) << "the child is stuck on a full terminal after " << lines << " lines";
    while (child.readLine(0)) ++lines;
    EXPECT_EQ(lines, 100000);
}
