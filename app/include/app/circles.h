// The circle demonstration: window set-up, the display pass and the keyboard commands.
#pragma once

#include "app/circles_title.h"

// The window the demonstration opens, square, and the scene's volume in it: x and y each within
// circlesVolumeHalfSide of the origin, z within circlesVolumeHalfDepth.
constexpr int circlesWindowSide = 350;
constexpr float circlesVolumeHalfSide = 20, circlesVolumeHalfDepth = 300;
// Loads that volume (setOrthoVolume) for the orthographic reshape.
void setCirclesVolume();

// One-time OpenGL state: smooth shading, light grey background; no depth test.
void initRendering();
// Draws the reference circle and the current rasteriser's grid pixels, then prints the number
// of grid-pixel draws of this pass on a line of its own.
void displayCircles();
// Enter: next rasteriser; '+' / '-': radius up / down (never below 1). The view module sees
// every key first and takes its own (rotation letters, Shift+Enter, Escape).
void keyboardCircles(unsigned char key, int x, int y);
// The mode (see modes.h) and the radius the next pass draws.
int currentCircleMode();
int currentCircleRadius();
// The exact circle as a blue loop of 360 vertices, one degree apart, starting at (cx + r, cy).
void drawReferenceCircle(int cx, int cy, float radius);
