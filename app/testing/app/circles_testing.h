// Test access to the demonstration's private state. The program never calls these.
#pragma once

struct CirclesState {
    int circleMode, circleRadius, pixelCount;
};

CirclesState circlesStateForTesting();
void resetCirclesForTesting();
