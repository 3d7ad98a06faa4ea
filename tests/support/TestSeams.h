#pragma once

#include <functional>

// The static seams of the program (installed program state, fixed clock, the disk
// calls of the file writer and of the file marks, the pieces of the database copy,
// the main window's services, queued message-box answers, file-dialog answers, help
// opener, data-check component ...) back to their state at start, in one place. Every
// fixture resets them when it sets up and when it tears down. The core seams are
// known here; the test main of the widget tests adds the seams of the libraries above
// the core.
namespace TestSeams {

void reset();
// Adds a seam's reset, run by every later reset().
void add(std::function<void()> resetSeam);

} // namespace TestSeams
