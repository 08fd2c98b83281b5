#pragma once

namespace orv {
// The program's entry: start-up sequence, then the event loop.
int Main(int argc, char **argv);
} // namespace orv
