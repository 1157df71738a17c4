// The demonstration's window title, apart from its code, so that what finds its window by title
// (the X session driver) needs nothing else of it.
#pragma once

inline constexpr char circlesWindowTitle[] = "Cercles par l'algorithme du midpoint";
