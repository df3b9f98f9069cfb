#pragma once
// The window backends are tested with the program's own layout, so the rectangles and
// captions checked are the ones users get.

#include "app/MainWindowLayout.h"

inline platform::WindowLayout ShellTestLayout() { return MainWindowLayout(); }
