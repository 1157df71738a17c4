// Where the midpoint walk can be watched while a rasteriser runs, beside the pixel seam
// (plotGridPixel). The step code that the three rasterisers share calls noteWalkState when the
// walk reaches a state, its start first, and noteWalkEnd once, when it stops. Every draw
// between two of these calls is made at the state just reached; draws after noteWalkEnd come
// after the walk (the extents' rows).
//
// The lines of rasterizers.cpp that act on a state say so with their own __LINE__, on the line
// itself: noteWalkDecision where the walk compares d with 0, noteWalkLine where it moves or
// draws. A line noted between two states belongs to the first of them (the branch its move takes,
// the draws made there), so a watcher can show which lines ran without a table of its own.
//
// The rasterisers' own definitions are weak and do nothing; a program that watches the walk
// (midpoint-walk) links definitions of its own, which take their place.
#pragma once

void noteWalkState(int x, int y, int d);
void noteWalkEnd();
void noteWalkDecision(int line);
void noteWalkLine(int line);
