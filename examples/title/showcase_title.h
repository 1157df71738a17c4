// view-showcase's window title, apart from its code, so that what finds its window by title
// (the X session driver) needs nothing else of it.
#pragma once

inline constexpr char showcaseWindowTitle[] = "View showcase";
